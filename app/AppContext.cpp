#include "app/AppContext.h"

#include "settings/ModulePath.h"
#include "ui/TextConversion.h"

namespace Vorlune {

AppContext::AppContext() : AppContext(RunningModulePath()) {}

AppContext::AppContext(const std::wstring& modulePath) { FillTextTable(texts, modulePath); }

std::wstring AppContext::GetText(TextId id) const { return texts.at(static_cast<size_t>(id))[Language == 1 ? 1 : 0]; }

std::string AppContext::GetTextNarrow(TextId id) const { return ToThreadAnsi(GetText(id)); }

std::string AppContext::GetTitleNarrow() const { return ToThreadAnsi(title); }

AppContext& App() {
    static AppContext context;
    return context;
}

}  // namespace Vorlune
