#pragma once
#include <windows.h>

#include <string>

#include "core/TextId.h"
#include "settings/TextTable.h"

namespace Vorlune {

// What many windows need and nobody owns: texts, language, title and instance.
class AppContext {
public:
    // Fills the texts, the version line from the running executable.
    AppContext();
    // Fills the version line from another module, for checking an executable from outside.
    explicit AppContext(const std::wstring& modulePath);

    std::wstring GetText(TextId id) const;
    // In the thread's ANSI code page, for exception texts and the boxes that show them.
    std::string GetTextNarrow(TextId id) const;
    std::string GetTitleNarrow() const;

    TextTable texts;
    std::wstring title;
    HINSTANCE instance = nullptr;
    int Language = 0;  // 0 Japanese, 1 English
};

AppContext& App();

}  // namespace Vorlune
