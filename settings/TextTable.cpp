#include "settings/TextTable.h"

#include "settings/VersionInfo.h"

namespace Vorlune {

void FillTextTable(TextTable& table, const std::wstring& modulePath) {
    table = BuiltInTexts();
    const VersionTexts version = ReadVersionTexts(modulePath);
    table[TextVersion] = {L" バージョン " + version.fileVersion, L" Version " + version.fileVersion};
    table[TextLegalNotice] = {version.legalNotice, version.legalNotice};
}

}  // namespace Vorlune
