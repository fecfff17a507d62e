#pragma once

#include <QImage>
#include <QStringList>

namespace vesk::gui {

inline constexpr int kTitlePictureWidth = 360;
inline constexpr int kTitlePictureHeight = 234;

// The splash window's title picture: the program's name in large lettering, the
// makers and the years of the work, on a map-like ground.
QImage TitlePicture();

// The texts the title picture shows, from the top.
QStringList TitleTexts();

}  // namespace vesk::gui
