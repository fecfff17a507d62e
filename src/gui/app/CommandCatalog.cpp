#include "app/CommandCatalog.h"

#include "app/CommandIds.h"

namespace vesk::gui {

const std::vector<CommandText>& CommandTexts() {
    // Item texts and their strings ("prompt\ntool tip") as the user sees them.
    static const std::vector<CommandText> texts = {
        {cmd::kNew, "新規作成(&N)\tCtrl+N", "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
        {cmd::kSurvey, "ﾌｫﾙﾀﾞ内のﾌｧｲﾙﾃﾞｰﾀ位置を表示...", "ﾌｫﾙﾀﾞ内のﾌｧｲﾙﾃﾞｰﾀ位置を表示"},
        {cmd::kOpenSheet, "1/2500図葉ﾌｧｲﾙを開く(&O)...\tCtrl+O",
         "1/2500図葉ﾌｧｲﾙを開く\n1/2500図葉ﾌｧｲﾙを開く"},
        {cmd::kConvert, "LSS-Gﾌｧｲﾙに変換して保存(&G)...\tCtrl+G",
         "LSS-Gﾌｧｲﾙに変換して保存\nLSS-Gﾌｧｲﾙに変換して保存"},
        {cmd::kConvertAllBlocks, "全区画を変換...",
         "図葉の全区画をLSS-Gﾌｧｲﾙに変換して保存\n全区画を変換"},
        {cmd::kExportModel, "3Dﾓﾃﾞﾙに書き出し...",
         "選択した区画を3Dﾓﾃﾞﾙ(glTF, OBJ)に書き出し\n3Dﾓﾃﾞﾙに書き出し"},
        {cmd::kPrint, "印刷(&P)...\tCtrl+P", "作業中のﾌｧｲﾙを印刷\n印刷"},
        {cmd::kPrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "ﾌﾙｽｸﾘｰﾝで表示\n印刷ﾌﾟﾚﾋﾞｭｰ"},
        {cmd::kPrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", "ﾌﾟﾘﾝﾀ/印刷設定の変更\nﾌﾟﾘﾝﾀの設定"},
        {cmd::kRecentFile, "最新のﾌｧｲﾙ", "指定のﾌｧｲﾙを開く"},
        {cmd::kExit, "VESKの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了\n終了"},
        {cmd::kUndo, "元に戻す(&U)\tCtrl+Z", "直前に行った動作を元に戻す\n元に戻す"},
        {cmd::kCut, "切り取り(&T)\tCtrl+X", "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り"},
        {cmd::kCopy, "ｺﾋﾟｰ(&C)\tCtrl+C", "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟ-"},
        {cmd::kPaste, "貼り付け(&P)\tCtrl+V", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け"},
        {cmd::kToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示"},
        {cmd::kStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示"},
        {cmd::kPrefectureNames, "都道府県名表示", "都道府県名表示"},
        {cmd::kBlockNames, "区画名表示", "区画名表示"},
        {cmd::kDataStatus, "ﾃﾞｰﾀ状況表示", "ﾃﾞｰﾀ状況表示"},
        {cmd::kCheckResults, "ﾃﾞｰﾀ検査結果", "ﾃﾞｰﾀ検査結果"},
        {cmd::kPreview, "3Dﾌﾟﾚﾋﾞｭｰ\tF3", "選択した区画を3Dで表示\n3Dﾌﾟﾚﾋﾞｭｰ"},
        {cmd::kViewInBrowser, "ﾌﾞﾗｳｻﾞで3D表示",
         "図葉を3D Tilesに書き出してﾌﾞﾗｳｻﾞで表示\nﾌﾞﾗｳｻﾞで3D表示"},
        {cmd::kAbout, "ﾊﾞｰｼﾞｮﾝ情報(Vesk) (&A)...",
         "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
    };
    return texts;
}

const std::vector<MenuText>& MenuTexts() {
    static const std::vector<MenuText> menus = {
        {"ﾌｧｲﾙ(&F)",
         {cmd::kNew, kSeparator, cmd::kSurvey, cmd::kOpenSheet, cmd::kConvert,
          cmd::kConvertAllBlocks, cmd::kExportModel, kSeparator, cmd::kPrint, cmd::kPrintPreview,
          cmd::kPrintSetup, kSeparator, cmd::kRecentFile, kSeparator, cmd::kExit}},
        {"編集(&E)", {cmd::kUndo, kSeparator, cmd::kCut, cmd::kCopy, cmd::kPaste}},
        {"表示(&V)",
         {cmd::kToolBar, cmd::kStatusBar, kSeparator, cmd::kPrefectureNames, cmd::kBlockNames,
          kSeparator, cmd::kDataStatus, cmd::kCheckResults, kSeparator, cmd::kPreview,
          cmd::kViewInBrowser}},
        {"ﾍﾙﾌﾟ(&H)", {cmd::kAbout}},
    };
    return menus;
}

const std::vector<Accelerator>& Accelerators() {
    static const std::vector<Accelerator> keys = {
        {"Ctrl+C", cmd::kCopy},   {"Ctrl+G", cmd::kConvert},   {"Ctrl+I", cmd::kGenericOpen},
        {"Ctrl+N", cmd::kNew},    {"Ctrl+O", cmd::kOpenSheet}, {"Ctrl+P", cmd::kPrint},
        {"Ctrl+S", cmd::kSave},   {"Ctrl+V", cmd::kPaste},     {"Alt+Backspace", cmd::kUndo},
        {"Shift+Del", cmd::kCut}, {"F6", cmd::kNextPane},      {"Shift+F6", cmd::kPreviousPane},
        {"Ctrl+Ins", cmd::kCopy}, {"Shift+Ins", cmd::kPaste},  {"Ctrl+X", cmd::kCut},
        {"Ctrl+Z", cmd::kUndo},   {"F3", cmd::kPreview},
    };
    return keys;
}

const std::vector<int>& ToolBarItems() {
    static const std::vector<int> items = {
        cmd::kNew,  cmd::kOpenSheet, cmd::kConvert, kSeparator,  cmd::kCut,
        cmd::kCopy, cmd::kPaste,     kSeparator,    cmd::kPrint, cmd::kAbout,
    };
    return items;
}

}  // namespace vesk::gui
