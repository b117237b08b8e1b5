// The translator over a native window built here with one control of each
// kind the rules know, under Wine's null display driver: that it reads and
// writes each kind's texts and walks the window's controls in their order.
// The rules themselves are tested once, over plain data
// (tests/dictionary/WalkRulesTest.cpp).
#include "RecordingLookup.h"
#include "platform/WideText.h"
#include "translation/win32/FormTranslator.h"
#include "translation/win32/WindowClasses.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include <windows.h>

namespace tw = translation::win32;

namespace {

std::string utf8(std::u16string_view text)
{
    return platform::toUtf8(std::wstring(text.begin(), text.end()));
}

std::u16string u16(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string textOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return u16(text);
}

// What the window's parent hears while it is translated.
std::vector<std::string> g_heard;

LRESULT CALLBACK listeningProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND &&
        (HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == CBN_EDITCHANGE ||
         HIWORD(wParam) == CBN_EDITUPDATE || HIWORD(wParam) == EN_CHANGE)) {
        g_heard.push_back("notification " + std::to_string(HIWORD(wParam)));
    }
    if (message == WM_DELETEITEM && reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData != 0) {
        g_heard.push_back("item data deleted");
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A superclass of a native class, as the program registers its own.
void registerSuperclassOf(const wchar_t* base, const wchar_t* name)
{
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExW(nullptr, base, &info));
    info.hInstance = GetModuleHandleW(nullptr);
    info.lpszClassName = name;
    RegisterClassExW(&info);
}

class Win32Translator : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW window{};
        window.cbSize = sizeof window;
        window.lpfnWndProc = listeningProc;
        window.hInstance = GetModuleHandleW(nullptr);
        window.lpszClassName = L"TestTranslatedForm";
        RegisterClassExW(&window);
        registerSuperclassOf(L"ComboBox", L"TestComboBox");
        registerSuperclassOf(L"Button", L"TestRadioButton");
        tw::registerSuperclass(L"TestComboBox", L"ComboBox");
        tw::registerSuperclass(L"TestRadioButton", L"Button");
    }

    void SetUp() override
    {
        m_form.window = CreateWindowExW(0, L"TestTranslatedForm", L"Окно", WS_OVERLAPPEDWINDOW, 0,
                                        0, 600, 500, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_form.window, nullptr) << "no window: is Wine's null display driver set?";
        g_heard.clear();
    }

    void TearDown() override { DestroyWindow(m_form.window); }

    HWND add(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent = nullptr)
    {
        HWND control =
            CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100,
                            parent ? parent : m_form.window, nullptr, nullptr, nullptr);
        EXPECT_NE(control, nullptr) << utf8(u16(className));
        m_created.push_back(control);
        return control;
    }

    tw::Form m_form;
    std::vector<HWND> m_created;
};

// A list view's column (LVCOLUMNW) or a tab control's tab (TCITEMW).
template <class Item>
void addListItem(HWND control, UINT message, UINT mask, int index, const wchar_t* text)
{
    Item item{};
    item.mask = mask;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(control, message, index, reinterpret_cast<LPARAM>(&item));
}

template <class Item>
std::u16string listItemText(HWND control, UINT message, UINT mask, int index)
{
    wchar_t text[64] = {};
    Item item{};
    item.mask = mask;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(control, message, index, reinterpret_cast<LPARAM>(&item));
    return u16(item.pszText);
}

void addColumn(HWND listView, int index, const wchar_t* title)
{
    addListItem<LVCOLUMNW>(listView, LVM_INSERTCOLUMNW, LVCF_TEXT, index, title);
}

std::u16string columnTitle(HWND listView, int index)
{
    return listItemText<LVCOLUMNW>(listView, LVM_GETCOLUMNW, LVCF_TEXT, index);
}

void addTab(HWND tabs, int index, const wchar_t* text)
{
    addListItem<TCITEMW>(tabs, TCM_INSERTITEMW, TCIF_TEXT, index, text);
}

std::u16string tabText(HWND tabs, int index)
{
    return listItemText<TCITEMW>(tabs, TCM_GETITEMW, TCIF_TEXT, index);
}

void addItem(HWND combo, const wchar_t* text, LPARAM data)
{
    const auto index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(combo, CB_SETITEMDATA, index, data);
}

std::u16string itemText(HWND combo, int index)
{
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return u16(text);
}

std::u16string partText(HWND bar, int index)
{
    wchar_t text[64] = {};
    SendMessageW(bar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text));
    return u16(text);
}

} // namespace

TEST_F(Win32Translator, EachControlByTheFirstRuleThatFitsInCreationOrder)
{
    HWND listView = add(WC_LISTVIEWW, L"", LVS_REPORT);
    addColumn(listView, 0, L"Имя");
    addColumn(listView, 1, L"  ");
    HWND tabs = add(WC_TABCONTROLW, L"", 0);
    addTab(tabs, 0, L"Первая");
    addTab(tabs, 1, L"Вторая");
    SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
    HWND combo = add(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST);
    addItem(combo, L"Один", 101);
    addItem(combo, L" ", 102);
    addItem(combo, L"Два", 103);
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    // Derived from the combo box: its rule. What the user typed stays.
    HWND editableCombo = add(L"TestComboBox", L"", CBS_DROPDOWN);
    addItem(editableCombo, L"Один", 0);
    SendMessageW(editableCombo, CB_SETCURSEL, 0, 0);
    SetWindowTextW(editableCombo, L"Свой текст");
    HWND memo = add(WC_EDITW, L"a\r\nb", ES_MULTILINE);
    HWND edit = add(WC_EDITW, L"Один", 0); // its text is no caption
    HWND bar = add(STATUSCLASSNAMEW, L"", 0);
    const int rightEdges[] = {100, -1};
    SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rightEdges));
    SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Готово"));
    SendMessageW(bar, SB_SETTEXTW, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"Два"));
    HWND group = add(WC_BUTTONW, L"Группа", BS_GROUPBOX);
    HWND label = add(WC_STATICW, L"Надпись", 0, group);
    HWND blank = add(WC_STATICW, L"  ", 0, group);
    HWND radio = add(L"TestRadioButton", L"Выбор", BS_AUTORADIOBUTTON, group);
    HWND run = add(WC_BUTTONW, L"Пуск", BS_PUSHBUTTON);
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                               m_form.window, nullptr, nullptr, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_form.window;
    tool.uId = reinterpret_cast<UINT_PTR>(run);
    tool.lpszText = const_cast<wchar_t*>(L"Запустить");
    ASSERT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));

    // Each once, parents before their children; no part a control made for
    // itself (the list view's header, the combo box's edit).
    EXPECT_EQ(tw::OwnedControls(m_form.window), m_created);
    const std::vector<std::pair<HWND, int>> rules = {
        {listView, 1}, {tabs, 2}, {combo, 6},  {editableCombo, 6}, {memo, 8},
        {edit, 11},    {bar, 9},  {group, 11}, {radio, 11},        {run, 11}};
    for (const auto& [control, number] : rules) {
        EXPECT_EQ(int(tw::ControlRule(control)), number) << utf8(u16(tw::windowClassName(control)));
    }

    RecordingLookup dictionary;
    dictionary.entries = {{u"Окно", u"Window"},  {u"", u"Window hint"},      {u"Имя", u"Name"},
                          {u"Первая", u"First"}, {u"Вторая", u"Second"},     {u"Один", u"One"},
                          {u"Два", u"Two"},      {u"a||b", u"x||y||z"},      {u"Готово", u"Ready"},
                          {u"Группа", u"Group"}, {u"Надпись", u"Label"},     {u"Выбор", u"Choice"},
                          {u"Пуск", u"Run"},     {u"Запустить", u"Start it"}};
    tw::TranslateForm(m_form, dictionary.function());

    // The window's own texts are looked up even when empty; blank captions
    // and empty hints of controls are not; list texts always are.
    const std::vector<std::u16string> asked = {
        u"Окно", u"",       u"Имя",     u"  ",    u"Первая", u"Вторая",
        u"Один", u" ",      u"Два",     u"Один",  u"a||b",   u"Готово",
        u"Два",  u"Группа", u"Надпись", u"Выбор", u"Пуск",   u"Запустить"};
    EXPECT_EQ(dictionary.asked, asked);

    EXPECT_EQ(textOf(m_form.window), u"Window");
    EXPECT_EQ(m_form.hint, u"Window hint");
    EXPECT_EQ(columnTitle(listView, 0), u"Name");
    EXPECT_EQ(columnTitle(listView, 1), u"  ");
    EXPECT_EQ(tabText(tabs, 0), u"First");
    EXPECT_EQ(tabText(tabs, 1), u"Second");
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);

    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(itemText(combo, 0), u"One");
    EXPECT_EQ(itemText(combo, 1), u" ");
    EXPECT_EQ(itemText(combo, 2), u"Two");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, i, 0), 101 + i);
    }
    EXPECT_EQ(itemText(editableCombo, 0), u"One");
    EXPECT_EQ(textOf(editableCombo), u"Свой текст");
    EXPECT_EQ(SendMessageW(editableCombo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(g_heard, std::vector<std::string>{});

    EXPECT_EQ(textOf(memo), u"x\r\ny\r\nz");
    EXPECT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(textOf(edit), u"Один");
    EXPECT_EQ(partText(bar, 0), u"Ready");
    EXPECT_EQ(partText(bar, 1), u"Two");
    EXPECT_EQ(HIWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 1, 0)), SBT_POPOUT);
    EXPECT_EQ(textOf(group), u"Group");
    EXPECT_EQ(textOf(label), u"Label");
    EXPECT_EQ(textOf(blank), u"  ");
    EXPECT_EQ(textOf(radio), u"Choice");
    EXPECT_EQ(textOf(run), u"Run");
    EXPECT_EQ(tw::GetHint(run), u"Start it");
    EXPECT_EQ(tw::GetHint(label), u"");
}

TEST_F(Win32Translator, TextsThatCannotBeReadWholeAreLeftAlone)
{
    // Without CBS_HASSTRINGS an owner-drawn combo box holds only the
    // program's data for each item, which reads like a text.
    HWND combo = add(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
    SendMessageW(combo, CB_ADDSTRING, 0, 0x00410041);
    // The tooltip control hands over no more than 1023 characters.
    HWND button = add(WC_BUTTONW, L"", BS_PUSHBUTTON);
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, m_form.window,
                               nullptr, nullptr, nullptr);
    std::wstring longHint(1500, L'x');
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = m_form.window;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = longHint.data();
    ASSERT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));

    RecordingLookup dictionary;
    tw::TranslateComponent(combo, dictionary.function());
    tw::TranslateComponent(button, dictionary.function());

    EXPECT_EQ(dictionary.asked, std::vector<std::u16string>{});
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 0, 0), 0x00410041);
    EXPECT_EQ(g_heard, std::vector<std::string>{});
}

TEST(Win32WindowClasses, ASuperclassDerivesFromItsBaseWhateverTheCase)
{
    tw::registerSuperclass(L"TestPanel", L"Static");
    tw::registerSuperclass(L"TestFramedPanel", L"testpanel");
    EXPECT_TRUE(tw::classDerivesFrom(L"TESTFRAMEDPANEL", L"static"));
    EXPECT_TRUE(tw::classDerivesFrom(L"Static", L"Static"));
    EXPECT_FALSE(tw::classDerivesFrom(L"Static", L"TestPanel"));
    EXPECT_FALSE(tw::classDerivesFrom(L"TestUnregistered", L"Static"));
    // A registration that would close a circle is ignored.
    tw::registerSuperclass(L"Static", L"TestFramedPanel");
    EXPECT_FALSE(tw::classDerivesFrom(L"Static", L"TestFramedPanel"));
}
