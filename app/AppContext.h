#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "settings/TextTable.h"

namespace Vorlune {

// What many windows need and nobody owns: texts, language, title and instance.
class AppContext {
public:
    AppContext();

    std::wstring GetText(int id) const;
    // In the thread's ANSI code page, for exception texts and the boxes that show them.
    std::string GetTextNarrow(int id) const;
    std::string GetTitleNarrow() const;

    TextTable texts;
    std::wstring title;
    HINSTANCE instance = nullptr;
    int Language = 0;  // 0 Japanese, 1 English
};

AppContext& App();

// Wide to the thread's ANSI code page; empty only when the conversion fails.
std::string ToThreadAnsi(const std::wstring& text);

}  // namespace Vorlune
