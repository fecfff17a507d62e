// The check boxes of the conversion settings dialog.
#include "convert/ConversionSettings.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using Box = ConversionSettings::CheckBox;

bool Same(const Box& box, bool checked, bool enabled) {
    return box.checked == checked && box.enabled == enabled;
}

TEST(ConversionSettings, EachBoxStartsCheckedAndEnabledExactlyWhenItsDataIsPresent) {
    const ConversionSettings all({true, true, true});
    EXPECT_TRUE(Same(all.Buildings(), true, true));
    EXPECT_TRUE(Same(all.Terrain(), true, true));
    EXPECT_TRUE(Same(all.Texture(), true, true));
    const ConversionSettings none({false, false, false});
    EXPECT_TRUE(Same(none.Buildings(), false, false));
    EXPECT_TRUE(Same(none.Terrain(), false, false));
    EXPECT_TRUE(Same(none.Texture(), false, false));
    const ConversionSettings onlyTexture({false, false, true});
    EXPECT_TRUE(Same(onlyTexture.Texture(), true, true));
    const ConversionChoices choices = onlyTexture.Choices(false);
    EXPECT_FALSE(choices.buildings || choices.terrain || choices.ctrlHeld);
    EXPECT_TRUE(choices.texture);
}

TEST(ConversionSettings, ClearingTheTerrainTakesTheTextureWithIt) {
    ConversionSettings settings({true, true, true});
    settings.SetTerrain(false);
    EXPECT_TRUE(Same(settings.Texture(), false, false));
    settings.SetTexture(true);
    EXPECT_TRUE(Same(settings.Texture(), false, false)) << "a disabled box does not change";
    settings.SetTerrain(true);
    EXPECT_TRUE(Same(settings.Texture(), false, true)) << "enabled again, left unchecked";
    settings.SetTexture(true);
    const ConversionChoices choices = settings.Choices(true);
    EXPECT_TRUE(choices.buildings && choices.terrain && choices.texture && choices.ctrlHeld);
}

TEST(ConversionSettings, CheckingTheTerrainAgainEnablesNoTextureThatIsAbsent) {
    ConversionSettings settings({false, true, false});
    settings.SetTerrain(false);
    settings.SetTerrain(true);
    EXPECT_TRUE(Same(settings.Texture(), false, false));
    EXPECT_TRUE(Same(settings.Terrain(), true, true));
}

TEST(ConversionSettings, DisabledBoxesIgnoreClicks) {
    ConversionSettings settings({false, false, true});
    settings.SetBuildings(true);
    settings.SetTerrain(true);
    EXPECT_TRUE(Same(settings.Buildings(), false, false));
    EXPECT_TRUE(Same(settings.Terrain(), false, false));
    EXPECT_TRUE(Same(settings.Texture(), true, true));
    settings.SetTexture(false);
    EXPECT_FALSE(settings.Choices(false).texture);
}

}  // namespace
}  // namespace vesk
