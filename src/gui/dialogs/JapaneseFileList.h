#pragma once

class QFileDialog;

namespace vesk::gui {

// Qt's own file dialog in Japanese where its translations leave English: the
// sizes and dates of the list, which Qt words in the system's locale whatever
// the program's, and the type of a folder, which they leave untranslated. The
// program's default locale (Japanese) words the sizes and dates.
void ListFilesInJapanese(QFileDialog& dialog);

}  // namespace vesk::gui
