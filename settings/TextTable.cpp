#include "settings/TextTable.h"

namespace Vorlune {

void FillTextTable(TextTable& table) {
    table[17] = {L"エラー", L"Error"};
}

}  // namespace Vorlune
