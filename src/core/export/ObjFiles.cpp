#include "export/ObjFiles.h"

#include <charconv>
#include <cstdio>

#include "export/SceneFrame.h"
#include "text/FixedText.h"

namespace vesk {
namespace {

constexpr std::size_t kMostLineChars = 160;

char* Put(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

// Shortest text that reads back as the same float, whatever the locale.
char* PutReal(char* out, float value) {
    return std::to_chars(out, out + 32, value).ptr;
}

char* PutIndex(char* out, std::uint64_t value) {
    return std::to_chars(out, out + 24, value).ptr;
}

class ObjWriter {
public:
    explicit ObjWriter(AtomicOutputFile& out) : out_(out) {}

    void Line(std::string_view text) {
        out_.Write(text);
        out_.Write("\n");
    }

    void Vectors(std::string_view keyword, const std::vector<Vec3>& values) {
        for (const Vec3& local : values) {
            const Vec3 v = ToYUp(local);
            char* p = Put(out_.Reserve(kMostLineChars), keyword);
            p = PutReal(Put(PutReal(Put(PutReal(p, v.x), " "), v.y), " "), v.z);
            out_.Advance(Put(p, "\n"));
        }
    }

    // OBJ's texture coordinates start at the image's bottom row, like the model's.
    void TextureCoordinates(const std::vector<Vec2>& uvs) {
        for (const Vec2& uv : uvs) {
            char* p = Put(out_.Reserve(kMostLineChars), "vt ");
            out_.Advance(Put(PutReal(Put(PutReal(p, uv.u), " "), uv.v), "\n"));
        }
    }

    // Faces of indices[first, first + count) as v//vn or v/vt/vn, numbered from
    // 1 across the file after `base` earlier vertices.
    void Faces(const std::vector<std::uint32_t>& indices, std::size_t first, std::size_t count,
               std::uint64_t base, bool textured) {
        for (std::size_t t = first; t < first + count; t += 3) {
            char* p = Put(out_.Reserve(kMostLineChars), "f");
            for (std::size_t k = 0; k < 3; ++k) {
                const std::uint64_t v = base + indices[t + k] + 1;
                const std::uint64_t vt = indices[t + k] + 1;
                p = Put(PutIndex(Put(p, " "), v), textured ? "/" : "//");
                if (textured) {
                    p = Put(PutIndex(p, vt), "/");
                }
                p = PutIndex(p, v);
            }
            out_.Advance(Put(p, "\n"));
        }
    }

private:
    AtomicOutputFile& out_;
};

void WriteBuildings(ObjWriter& obj, const BlockModel& block) {
    obj.Line("o buildings");
    obj.Vectors("v ", block.buildings.positions);
    obj.Vectors("vn ", block.buildings.normals);
    obj.Line("usemtl buildings");
    char name[32];
    for (const BuildingPart& part : block.buildingParts) {
        std::snprintf(name, sizeof name, "g building%06u", part.number);
        obj.Line(name);
        obj.Faces(block.buildings.indices, part.firstIndex, part.indexCount, 0, false);
    }
}

void WriteTerrain(ObjWriter& obj, const BlockModel& block, bool textured) {
    const TriangleMesh& mesh = block.terrain->mesh;
    obj.Line("o terrain");
    obj.Vectors("v ", mesh.positions);
    if (textured) {
        obj.TextureCoordinates(mesh.uvs);
    }
    obj.Vectors("vn ", mesh.normals);
    obj.Line("usemtl terrain");
    obj.Line("g terrain");
    obj.Faces(mesh.indices, 0, mesh.indices.size(), block.buildings.positions.size(), textured);
}

std::string Header(const BlockModel& block) {
    const auto crs = BlockCrs(block.zone);
    const std::string origin = FixedText(block.originX, 3) + " " + FixedText(block.originY, 3);
    return "# " + GeneratorName() + ": metres from the origin (" + origin + ") of " +
           (crs ? *crs : std::string("local plane coordinates (no georeference)")) +
           "; x east, y up, z south\n";
}

}  // namespace

WriteFailureText WriteObjFile(const BlockModel& block, const std::filesystem::path& path,
                              const std::string& mtlName, bool textured) {
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        ObjWriter obj(out);
        out.Write(Header(block));
        obj.Line("mtllib " + mtlName);
        if (!block.buildingParts.empty()) {
            WriteBuildings(obj, block);
        }
        if (block.terrain) {
            WriteTerrain(obj, block, textured && !block.terrain->mesh.uvs.empty());
        }
        return true;
    });
}

WriteFailureText WriteMtlFile(const std::filesystem::path& path,
                              const std::optional<std::string>& textureName) {
    return WriteAtomically(path, [&](AtomicOutputFile& out) {
        out.Write("# " + GeneratorName() + "\n");
        out.Write("newmtl buildings\nKa 0 0 0\nKd 0.82 0.82 0.8\nKs 0 0 0\nd 1\nillum 1\n\n");
        out.Write("newmtl terrain\nKa 0 0 0\n");
        if (textureName) {
            out.Write("Kd 1 1 1\nKs 0 0 0\nd 1\nillum 1\nmap_Kd " + *textureName + "\n");
        } else {
            out.Write("Kd 0.62 0.66 0.52\nKs 0 0 0\nd 1\nillum 1\n");
        }
        return true;
    });
}

}  // namespace vesk
