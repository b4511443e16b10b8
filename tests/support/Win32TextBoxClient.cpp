// A plain Win32 window with one multi-line EDIT control that has the focus: the other
// process the keyboard tests type into. The tests read the text back with WM_GETTEXT.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"OrbelinTextBox";
HWND g_edit = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      if (g_edit != nullptr) SetFocus(g_edit);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, kClassName, L"Orbelin text box", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500,
                                300, nullptr, nullptr, instance, nullptr);
  g_edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
                           0, 0, 480, 260, window, nullptr, instance, nullptr);
  SetForegroundWindow(window);
  SetFocus(g_edit);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Ctrl+A selects everything, as an editor's accelerator does (the EDIT control
    // itself leaves it alone).
    if (message.message == WM_KEYDOWN && message.wParam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000) != 0) {
      SendMessageW(g_edit, EM_SETSEL, 0, -1);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
