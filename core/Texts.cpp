#include "core/Texts.h"

namespace Vorlune {

namespace {

constexpr const wchar_t* kProductPage = L"https://codeberg.org/glimra/glimra";

// Japanese, English. "Rectanglel" stays as written: the settings dialog stores the selected
// page by its text in the INI file and finds the page again by that text.
constexpr const wchar_t* kTexts[TextCount][2] = {
    {L"矩形の切り取り", L"Cut out a rectangle"},
    {L"ウィンドウの切り取り", L"Cut out a window"},
    {L"部分隠れウィンドウの切り取り", L"Cut out a partially hidden window"},
    {L"デスクトップの切り取り", L"Cut out the desktop"},
    {L"設定", L"Settings"},
    {L"ズームウィンドウ OFF／ON", L"Zoom window OFF／ON"},
    {L"トップウィンドウ／全ウィンドウ", L"Top window／All windows"},
    {L"トップウィンドウ／全ウィンドウ", L"Top window／All windows"},
    {L"遅延切り取り OFF／ON", L"Delayed cut out OFF／ON"},
    {L"Japanese／English", L"Japanese／English"},
    {L"", L""},  // 10: the system button has no tooltip
    {L"閉じる", L"Close"},
    {L"最小化", L"Minimize"},
    {L"マウスカーソルキャップチャ OFF／ON", L"Capture mouse cursor OFF／ON"},
    {L"ハンドル", L"Handle"},
    {L"幅", L"Width"},
    {L"高さ", L"Height"},
    {L"エラー", L"Error"},
    {L"ビットマップ生成失敗", L"Bitmap creation failed"},
    {L"ウィンドウ生成失敗", L"Window creation failed"},
    {L"iniファイルへの設定値の保存に失敗しました", L"Failed to save setting value to ini. file"},
    {L"切り取り画像閲覧アプリを指定して下さい", L"Specify a cropped image viewing application"},
    {L"切り取り画像の一時保存フォルダを指定して下さい", L"Specify the temporary saving folder for cropped images"},
    {L"画像閲覧アプリの起動に失敗しました", L"Failed to start the viewer"},
    {L"iniファイルの初期化に失敗しました", L"ini. file initialization failed"},
    {L"ブラウザの起動に失敗しました", L"Failed to start browser"},
    {L"切り取り画像の一時保存フォルダが存在しません。\r\n設定画面で正しいパスを設定して下さい。",
     L"Folder for temporary saving images does not exist.\r\nSet the correct path in the settings dialog."},
    {L"設定を初期値に戻します。よろしいですか？", L"Do you want to reset the settings to the default values?"},
    {L"設定", L"Settings"},
    {L"設定一覧(&S)", L"List of settings(&S)"},
    {L"初期値に戻す(&I)", L"Initialization(&I)"},
    {L"キャンセル(&C)", L"Cancel(&C)"},
    {L"全般", L"General"},
    {L"アプリ設定", L"App. settings"},
    {L"切り取り", L"Capture"},
    {L"矩形", L"Rectanglel"},
    {L"ウィンドウ", L"Window"},
    {L"部分隠れウィンドウ", L"Hidden window"},
    {L"デスクトップ", L"Desktop"},
    {L"", L""},  // 39 and 40: the version line and the legal notice, from the version resource
    {L"", L""},
    {kProductPage, kProductPage},
    {L"アプリを常に前面に表示する(&F)", L"Keep app in front(&F)"},
    {L"ボタンツールチップを表示する(&T)", L"Show button tooltip(&T)"},
    {L"切り取り画像閲覧アプリ(&A)", L"Image browsing app(&A)"},
    {L"切り取り画像の一時保存フォルダ(&F)", L"Folder for temporary saving images(&F)"},
    {L"終了時に一時保存した画像ファイルを削除する(&D)", L"Delete temporarily saved image files when finished(&D)"},
    {L"クリップボード(&L)", L"Clipboard(&L)"},
    {L"クリップボードにコピーしない", L"Do not copy to clipboard"},
    {L"クリップボードにのみコピーする ( 閲覧アプリを起動しない )",
     L"Copy only to clipboard (Do not launch browsing app)"},
    {L"クリップボードにコピーする", L"Copy image to clipboard"},
    {L"マウスツールチップをクリップボードにコピーする", L"Copy mouse tooltip to clipboard"},
    {L"補助線の色(&U)", L"Auxiliary line color(&U)"},
    {L"マウスドラッグ中も十字補助線を表示する(&U)", L"Show auxiliary line while dragging(&U)"},
    {L"ズームウィンドウの倍率(&M)", L"Zoom window magnification(&M)"},
    {L"マウスツールチップを表示する(&T)", L"Show mouse tooltip(&T)"},
    {L"遅延設定", L"Delay settings"},
    {L"遅延切り取りする", L"Delayed cut"},
    {L"遅延秒数(&D)", L"Delay seconds(&D)"},
    {L"黒", L"Black"},
    {L"栗色", L"Sorrel"},
    {L"緑", L"Green"},
    {L"オリーブ", L"Olive"},
    {L"紺", L"Navy blue"},
    {L"紫", L"Purple"},
    {L"青緑", L"Blue green"},
    {L"グレー", L"Gray"},
    {L"銀色", L"Silver"},
    {L"赤", L"Red"},
    {L"黄緑", L"Yellowish green"},
    {L"黄", L"Yellow"},
    {L"青", L"Blue"},
    {L"赤紫", L"Red-purple"},
    {L"水色", L"Light blue"},
    {L"白", L"White"},
    {L"フォルダの参照", L"Browse folder"},
    {L"切り取り画像を保存するフォルダを選択してください", L"Select a folder to save the cropped image"},
    {L"ファイルの参照", L"Browse file"},
    {L"切り取り画像を閲覧するアプリを選択してください", L"Select an app to view cropped images"},
    {L"秒", L"Sec."},
    {L"", L""},  // 80: never filled
    {L"画像形式", L"Image format"},
    {L"BMP (24ビット、無圧縮)", L"BMP (24-bit, uncompressed)"},
    {L"PNG (可逆圧縮)", L"PNG (lossless, compressed)"},
    {L"ホットキー", L"Hotkeys"},
    {L"矩形(&R)", L"Rectangle(&R)"},
    {L"ウィンドウ(&W)", L"Window(&W)"},
    {L"部分隠れウィンドウ(&H)", L"Hidden window(&H)"},
    {L"デスクトップ(&D)", L"Desktop(&D)"},
    {L"他のプログラムが使用中", L"In use by another program"},
    {L"他のコマンドが使用中", L"In use by another command"},
    {L"画像ファイルを書き込めませんでした:", L"The image file could not be written:"},
    {L"画像はクリップボードにコピーしました。", L"The image is on the clipboard."},
    {L"画像はクリップボードにもコピーできませんでした。", L"The image could not be put on the clipboard either."},
    {L"切り取り画像の一時保存フォルダのパスが長すぎます。\r\n設定画面で短いパスを設定して下さい。",
     L"The path of the folder for temporary saving images is too long.\r\nSet a shorter path in the settings dialog."},
    {L"Ctrl か Alt と組み合わせて下さい", L"Needs Ctrl or Alt"},
    {L"COM を初期化できないため、起動できません。", L"Cannot start: COM could not be initialized."},
    {L"ウィンドウクラスを登録できないため、起動できません。",
     L"Cannot start: the window class could not be registered."},
    {L"ツールバーを作成できないため、起動できません。", L"Cannot start: the toolbar could not be created."},
};

}  // namespace

TextTable BuiltInTexts() {
    TextTable table;
    for (int id = 0; id < TextCount; ++id) table[id] = {kTexts[id][0], kTexts[id][1]};
    return table;
}

}  // namespace Vorlune
