#include "settings/TextTable.h"

namespace Vorlune {

void FillTextTable(TextTable& table) {
    table[17] = {L"エラー", L"Error"};
    table[18] = {L"ビットマップ生成失敗", L"Bitmap creation failed"};
    table[19] = {L"ウィンドウ生成失敗", L"Window creation failed"};
    table[23] = {L"画像閲覧アプリの起動に失敗しました", L"Failed to start the viewer"};
}

}  // namespace Vorlune
