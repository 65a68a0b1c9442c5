// The dialogs as compiled into Glimra.exe, in dialog units: fonts differ under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "Scratch.h"

namespace Vorlune::Test {
namespace {

struct Control {
    std::wstring kind, text;  // kind: "#128" for a predefined class, else the class name
    DWORD style;
    short x, y, cx, cy;
};
struct Dialog {
    DWORD style;
    short cx, cy;
    WORD points;
    std::wstring face;
    std::map<int, Control> controls;  // by id; -1 for the one static without an id
};

class Reader {
public:
    explicit Reader(const BYTE* at) : at_(at) {}
    template <class T>
    T Take() {
        T value;
        std::memcpy(&value, std::exchange(at_, at_ + sizeof value), sizeof value);
        return value;
    }
    std::wstring NameOrOrdinal() {
        std::wstring text;
        if (*reinterpret_cast<const WORD*>(at_) == 0xFFFF) return Take<WORD>(), L"#" + std::to_wstring(Take<WORD>());
        for (WORD c; (c = Take<WORD>()) != 0;) text += static_cast<wchar_t>(c);
        return text;
    }
    void Align() { at_ = reinterpret_cast<const BYTE*>((reinterpret_cast<UINT_PTR>(at_) + 3) & ~UINT_PTR(3)); }

private:
    const BYTE* at_;
};

Dialog Load(HMODULE exe, int id) {
    HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
    Reader r(static_cast<const BYTE*>(LockResource(LoadResource(exe, found))));
    Dialog d{};
    r.Take<DWORD>(), r.Take<DWORD>(), r.Take<DWORD>();  // version and signature, help id, extended style
    d.style = r.Take<DWORD>();
    const WORD count = r.Take<WORD>();
    d.cx = (r.Take<short>(), r.Take<short>(), r.Take<short>()), d.cy = r.Take<short>();  // after x and y
    r.NameOrOrdinal(), r.NameOrOrdinal(), r.NameOrOrdinal();  // menu, class, title
    d.points = r.Take<WORD>(), r.Take<DWORD>();               // size; weight, italic, character set
    d.face = r.NameOrOrdinal();
    for (WORD i = 0; i < count; ++i) {
        r.Align();
        Control c{};
        c.style = (r.Take<DWORD>(), r.Take<DWORD>(), r.Take<DWORD>());  // help id, extended style, style
        c.x = r.Take<short>(), c.y = r.Take<short>(), c.cx = r.Take<short>(), c.cy = r.Take<short>();
        const int controlId = static_cast<int>(r.Take<DWORD>());
        c.kind = r.NameOrOrdinal(), c.text = r.NameOrOrdinal(), r.Take<WORD>();  // no creation data
        d.controls[controlId] = c;
    }
    return d;
}

TEST(DialogResources, EveryControlWhereItBelongs) {
    HMODULE exe = LoadLibraryExW(GlimraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const Dialog main = Load(exe, 101);
    EXPECT_EQ(main.style & ~WS_VISIBLE, DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(std::make_tuple(main.cx, main.cy, main.points, main.face),
              std::make_tuple(short(307), short(206), WORD(9), std::wstring(L"MS UI Gothic")));
    constexpr DWORD tree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS |
                           TVS_TRACKSELECT | WS_BORDER | WS_HSCROLL | WS_TABSTOP;
    struct Row { int dialog, id; const wchar_t* kind; DWORD style; short x, y, cx, cy; const wchar_t* text; } rows[] = {
        {101, 1029, L"#130", 0, 9, 3, 87, 9, nullptr}, {101, 1000, L"SysTreeView32", tree, 8, 15, 92, 159, nullptr},
        {101, 1025, L"#128", BS_PUSHBUTTON, 8, 183, 83, 19, nullptr}, {101, 1024, L"#128", BS_PUSHBUTTON, 193, 183, 50, 20, L"OK(&O)"},
        {101, 1004, L"#128", BS_DEFPUSHBUTTON, 250, 183, 50, 20, nullptr},
        {129, 1010, L"#130", 0, 11, 9, 222, 13, nullptr}, {129, 1011, L"#130", 0, 11, 28, 222, 21, nullptr},
        {129, 1012, L"#130", 0, 11, 56, 222, 11, nullptr},
        {130, 1013, L"#128", BS_AUTOCHECKBOX, 9, 7, 223, 14, nullptr}, {130, 1014, L"#128", BS_AUTOCHECKBOX, 9, 24, 223, 14, nullptr},
        {131, 1015, L"#128", BS_GROUPBOX, 7, 5, 231, 30, nullptr}, {131, 1001, L"#129", ES_AUTOHSCROLL, 10, 18, 202, 12, nullptr},
        {131, 1002, L"#128", BS_PUSHBUTTON, 214, 18, 18, 12, L"..."}, {131, 1016, L"#128", BS_GROUPBOX, 7, 42, 231, 44, nullptr},
        {131, 1003, L"#129", ES_AUTOHSCROLL, 10, 55, 202, 12, nullptr}, {131, 1005, L"#128", BS_PUSHBUTTON, 214, 55, 18, 12, L"..."},
        {131, 1007, L"#128", BS_AUTOCHECKBOX, 10, 72, 221, 10, nullptr}, {131, 1017, L"#128", BS_GROUPBOX, 7, 93, 231, 28, nullptr},
        {131, 1028, L"#133", CBS_DROPDOWNLIST, 10, 104, 223, 115, nullptr}, {131, 1018, L"#128", BS_GROUPBOX, 7, 125, 231, 31, nullptr},
        {131, 1027, L"#133", CBS_DROPDOWNLIST, 10, 137, 123, 250, nullptr},
        {132, 1008, L"#128", BS_AUTOCHECKBOX, 11, 8, 214, 11, nullptr}, {132, 1020, L"#130", 0, 11, 27, 113, 10, nullptr},
        {132, -1, L"#130", 0, 130, 27, 8, 10, L"\u00D7"}, {132, 1019, L"#133", CBS_DROPDOWNLIST, 142, 25, 32, 92, nullptr},
        {133, 1021, L"#128", BS_AUTOCHECKBOX, 9, 9, 224, 10, nullptr}, {134, 1009, L"#128", BS_AUTOCHECKBOX, 9, 9, 224, 10, nullptr},
        {135, 1023, L"#128", BS_GROUPBOX, 8, 7, 218, 31, nullptr}, {135, 1026, L"#130", 0, 15, 22, 62, 11, nullptr},
        {135, 1022, L"#133", CBS_DROPDOWNLIST | CBS_HASSTRINGS, 81, 21, 40, 126, nullptr},
    };
    std::map<int, Dialog> dialogs;
    for (int id = 129; id <= 135; ++id) {
        dialogs[id] = Load(exe, id);
        EXPECT_EQ(dialogs[id].style, DWORD(WS_CHILD | DS_CONTROL | DS_SETFONT | DS_FIXEDSYS)) << id;
        EXPECT_EQ(std::make_tuple(dialogs[id].cx, dialogs[id].cy, dialogs[id].face), std::make_tuple(short(247), short(163), std::wstring(L"MS Shell Dlg")));
    }
    dialogs[101] = main;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dialog << " / " << row.id);
        ASSERT_EQ(dialogs[row.dialog].controls.count(row.id), 1u);
        const Control& c = dialogs[row.dialog].controls[row.id];
        EXPECT_EQ(_wcsicmp(c.kind.c_str(), row.kind), 0) << Narrow(c.kind);  // class names ignore case
        EXPECT_EQ(c.style & row.style, row.style);
        EXPECT_EQ(std::make_tuple(c.x, c.y, c.cx, c.cy), std::make_tuple(row.x, row.y, row.cx, row.cy));
        if (row.text != nullptr) {
            EXPECT_EQ(c.text, row.text);
        }
    }
    EXPECT_FALSE(dialogs[131].controls[1027].style & WS_VISIBLE);  // the colour list's placeholder
    EXPECT_FALSE(dialogs[129].controls[1012].style & SS_NOTIFY);   // mouse messages reach the page
    size_t total = 0;
    for (const auto& [id, d] : dialogs) total += d.controls.size();
    EXPECT_EQ(total, std::size(rows));
    FreeLibrary(exe);
}

}  // namespace
}  // namespace Vorlune::Test
