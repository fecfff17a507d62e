#include "export/BuildingMetadata.h"

#include <bit>
#include <string>

#include "export/GltfExtensions.h"
#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

using tinygltf::Value;

constexpr const char* kClass = "building";

void PutF64(double value, std::byte* out) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    EncodeU32(out, static_cast<std::uint32_t>(bits));
    EncodeU32(out + 4, static_cast<std::uint32_t>(bits >> 32));
}

struct Column {
    const char* id;
    const char* name;
    const char* componentType;
    const char* description;
};

constexpr Column kColumns[] = {
    {"number", "Number", "UINT32",
     "The building's place in its block's list of buildings, from 0, as Vesk's data check "
     "and export listings number it"},
    {"bottom", "Bottom", "FLOAT32", "Height of the building's bottom in metres above sea level"},
    {"roof", "Roof", "FLOAT32", "Height of the building's roof in metres above sea level"},
    {"height", "Height", "FLOAT32", "Roof height minus bottom height, in metres"},
    {"area", "Footprint area", "FLOAT64", "Area of the building's footprint in square metres"},
};

Value Schema() {
    Value::Object properties;
    for (const Column& column : kColumns) {
        properties[column.id] = Value(Value::Object{
            {"name", Value(std::string(column.name))},
            {"description", Value(std::string(column.description))},
            {"type", Value(std::string("SCALAR"))},
            {"componentType", Value(std::string(column.componentType))},
            {"required", Value(true)},
        });
    }
    Value::Object building{
        {"name", Value(std::string("Building"))},
        {"description", Value(std::string("A building of the block, built as a prism from its "
                                          "footprint between its bottom and roof heights"))},
        {"properties", Value(std::move(properties))},
    };
    return Value(Value::Object{
        {"id", Value(std::string("vesk_block"))},
        {"classes", Value(Value::Object{{kClass, Value(std::move(building))}})},
    });
}

template <class Field, class Put>
int AddColumn(GltfBufferBuilder& buffer, const std::vector<BuildingPart>& parts, std::size_t bytes,
              Field field, Put put) {
    std::vector<decltype(field(parts.front()))> values;
    values.reserve(parts.size());
    for (const BuildingPart& part : parts) {
        values.push_back(field(part));
    }
    return buffer.AddElements(std::move(values), bytes, 0, put);
}

// The table's columns in the order of kColumns, one buffer view each.
Value::Object ColumnViews(GltfBufferBuilder& buffer, const std::vector<BuildingPart>& parts) {
    const auto f32 = [](float value, std::byte* out) { EncodeF32(out, value); };
    const int views[] = {
        AddColumn(
            buffer, parts, 4, [](const BuildingPart& p) { return p.number; },
            [](std::uint32_t value, std::byte* out) { EncodeU32(out, value); }),
        AddColumn(
            buffer, parts, 4, [](const BuildingPart& p) { return p.bottom; }, f32),
        AddColumn(
            buffer, parts, 4, [](const BuildingPart& p) { return p.roof; }, f32),
        AddColumn(
            buffer, parts, 4, [](const BuildingPart& p) { return p.roof - p.bottom; }, f32),
        AddColumn(
            buffer, parts, 8, [](const BuildingPart& p) { return p.area; }, PutF64),
    };
    Value::Object columns;
    for (std::size_t k = 0; k < std::size(kColumns); ++k) {
        columns[kColumns[k].id] = Value(Value::Object{{"values", Value(views[k])}});
    }
    return columns;
}

}  // namespace

void AddBuildingMetadata(tinygltf::Model& gltf, GltfBufferBuilder& buffer,
                         const std::vector<BuildingPart>& parts, tinygltf::Primitive& primitive) {
    const int count = static_cast<int>(parts.size());
    Value::Object table{
        {"name", Value(std::string("buildings"))},
        {"class", Value(std::string(kClass))},
        {"count", Value(count)},
        {"properties", Value(ColumnViews(buffer, parts))},
    };
    gltf.extensions["EXT_structural_metadata"] = Value(Value::Object{
        {"schema", Schema()},
        {"propertyTables", Value(Value::Array{Value(std::move(table))})},
    });
    Value::Object featureId{
        {"featureCount", Value(count)}, {"attribute", Value(0)}, {"propertyTable", Value(0)}};
    primitive.extensions["EXT_mesh_features"] =
        Value(Value::Object{{"featureIds", Value(Value::Array{Value(std::move(featureId))})}});
    UseExtension(gltf, "EXT_mesh_features", false);
    UseExtension(gltf, "EXT_structural_metadata", false);
}

}  // namespace vesk
