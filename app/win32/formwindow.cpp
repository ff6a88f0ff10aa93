#include "app/win32/formwindow.h"

#include "app/formdesign.h"
#include "app/win32/dpi.h"
#include "app/win32/resource.h"
#include "platform/win32_text.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>
#include <utility>

namespace {

const wchar_t* const kClassName = L"ViduzirivoForm";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
constexpr UINT_PTR kTimerId = 1;

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VIDUZIRIVO));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VIDUZIRIVO),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

HWND CreateLabel(HWND parent, const FormDesign::LabelDesign& design, UINT dpi) {
    const RECT r = DesignRect(design.place, dpi);
    // SS_NOTIFY makes the label see the mouse, so that its tip can show.
    return CreateWindowExW(0, L"STATIC", Utf16(design.caption).c_str(), WS_CHILD | WS_VISIBLE | SS_NOTIFY,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr,
                           nullptr);
}

void SetFont(HWND control, const DesignFont& font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
}

} // namespace

FormWindow::FormWindow(HINSTANCE instance) : m_instance(instance) {
    CreateMainWindow();
    CreateControls();
    m_form = std::make_unique<frmSaver>(FormControls{*this, *picMain, *txtSign, *scrTrans[FormDesign::kZoom],
                                                     *scrTrans[FormDesign::kTilt], *tmrDisplay});
}

FormWindow::~FormWindow() {
    // A window the user closed is gone already; one still there goes with the handlers it calls.
    if (m_hwnd != nullptr) {
        DestroyWindow(m_hwnd);
    }
}

void FormWindow::CreateMainWindow() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterFormClass(m_instance, &FormWindow::WindowProc);
    m_hwnd = CreateWindowExW(kExStyle, kClassName, Utf16(FormDesign::kCaption).c_str(), kStyle, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, m_instance, this);
    // The design fixes the client area; the frame around it depends on the DPI of the window's monitor.
    const UINT dpi = WindowDpi(m_hwnd);
    const RECT client{0, 0, TwipsToPixels(FormDesign::kClientWidth, dpi),
                      TwipsToPixels(FormDesign::kClientHeight, dpi)};
    const RECT frame = FrameAround(client, kStyle, kExStyle, dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::CreateControls() {
    const UINT dpi = WindowDpi(m_hwnd);
    // Children are created in tab order: the dialog keys walk them in creation order. Each bar's label comes
    // just before it, as screen readers name a control by the label that precedes it; labels are no tab
    // stops.
    picMain = std::make_unique<PictureBox>(m_hwnd, m_instance, [this] {
        if (m_form) {
            m_form->picMain_Paint();
        }
    });
    for (short index : {FormDesign::kZoom, FormDesign::kTilt}) {
        const short label = FormDesign::kScrTrans[index].label;
        Label1[label] = CreateLabel(m_hwnd, FormDesign::kLabel1[label], dpi);
        scrTrans[index] = std::make_unique<ScrollBar>(m_hwnd, FormDesign::kScrTrans[index], dpi);
    }
    txtSign = std::make_unique<TextBox>(m_hwnd, *picMain, dpi);
    m_focus = picMain->hwnd();
    CreateTips();
    ApplyDpi(dpi);
    tmrDisplay = std::make_unique<SystemTimer>(m_hwnd, kTimerId, FormDesign::kTimerInterval,
                                               [this] { m_form->tmrDisplay_Timer(); });
}

void FormWindow::CreateTips() {
    m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                             m_instance, nullptr);
    const auto addTip = [this](HWND control, const char* tipUtf8) {
        std::wstring tip = Utf16(tipUtf8);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = tip.data(); // the control keeps its own copy
        SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    for (std::size_t index = 0; index < Label1.size(); ++index) {
        addTip(Label1[index], FormDesign::kLabel1[index].tip);
    }
    addTip(txtSign->hwnd(), FormDesign::kSignText);
}

void FormWindow::ApplyDpi(UINT dpi) {
    // The controls get the new fonts before the old ones are freed, and before they move: each move repaints,
    // and a control must never draw with a font that has been deleted.
    DesignFont labelFont = CreateDesignFont(FormDesign::kLabelFont, dpi);
    DesignFont signFont = CreateDesignFont(FormDesign::kSignFont, dpi);
    for (const HWND label : Label1) {
        SetFont(label, labelFont);
    }
    SetFont(txtSign->hwnd(), signFont);
    m_labelFont = std::move(labelFont);
    m_signFont = std::move(signFont);
    for (std::size_t index = 0; index < Label1.size(); ++index) {
        MoveToRect(Label1[index], DesignRect(FormDesign::kLabel1[index].place, dpi));
    }
    for (const auto& bar : scrTrans) {
        bar->PlaceFor(dpi);
    }
    picMain->PlaceFor(dpi);
    txtSign->ResizeFor(dpi);
}

void FormWindow::Show(int showCommand) {
    ShowWindow(m_hwnd, showCommand);
    UpdateWindow(m_hwnd);
}

int FormWindow::Run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

void FormWindow::Dispatch(MSG& message) {
    // Windows 10 gives the wheel to the window under the mouse, Wine and older Windows to the focus window;
    // a control may keep it (the credit box's EDIT does). The window decides by where the mouse is.
    if (message.message == WM_MOUSEWHEEL && IsChild(m_hwnd, message.hwnd)) {
        message.hwnd = m_hwnd;
    }
    if (!IsDialogMessageW(m_hwnd, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

RECT FormWindow::Client() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return r;
}

double FormWindow::ScaleWidth() const {
    return Client().right * TwipsPerPixel(WindowDpi(m_hwnd));
}

double FormWindow::ScaleHeight() const {
    return Client().bottom * TwipsPerPixel(WindowDpi(m_hwnd));
}

void FormWindow::OnScroll(HWND bar, int request, short thumb) {
    for (short index : {FormDesign::kZoom, FormDesign::kTilt}) {
        if (scrTrans[index]->hwnd() != bar || !scrTrans[index]->Scroll(request, thumb)) {
            continue;
        }
        // While the thumb is dragged the bar reports scrolling; every other move is a change.
        if (request == SB_THUMBTRACK) {
            m_form->scrTrans_Scroll(index);
        } else {
            m_form->scrTrans_Change(index);
        }
    }
}

// A SCROLLBAR control does nothing with the wheel; over a bar it moves as that many clicks on its arrow
// would, each a change, as on Linux.
bool FormWindow::OnWheel(POINT screen, int delta) {
    for (const auto& bar : scrTrans) {
        RECT place{};
        GetWindowRect(bar->hwnd(), &place);
        if (!PtInRect(&place, screen)) {
            continue;
        }
        const int steps = bar->WheelSteps(delta);
        for (int step = 0; step < std::abs(steps); ++step) {
            OnScroll(bar->hwnd(), steps > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        }
        return true;
    }
    return false;
}

void FormWindow::RememberFocus() {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(m_hwnd, focus)) {
        m_focus = focus;
    }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && form != nullptr) {
        // The window's last message: nothing may reach the object through it any more.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->m_hwnd = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // Messages of the window's creation come before the controls and the handlers exist.
    if (form == nullptr || !form->m_form) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SHOWWINDOW:
        // Showing the window is its first resize; later ones come as WM_SIZE.
        if (wParam != FALSE && lParam == 0) {
            m_form->Form_Resize();
        }
        break;
    case WM_SIZE:
        m_form->Form_Resize();
        // Nothing is drawn, and the spin stands still, while the window is minimised.
        if ((wParam == SIZE_MINIMIZED) == m_surfaceVisible) {
            m_surfaceVisible = wParam != SIZE_MINIMIZED;
            m_form->picMain_VisibilityChanged(m_surfaceVisible);
        }
        return 0;
    case WM_GETMINMAXINFO: {
        const UINT dpi = WindowDpi(m_hwnd);
        const RECT client{0, 0, TwipsToPixels(FormDesign::kMinClientWidth, dpi),
                          TwipsToPixels(FormDesign::kMinClientHeight, dpi)};
        const RECT frame = FrameAround(client, kStyle, kExStyle, dpi);
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return 0;
    }
    case WM_VSCROLL:
        OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_MOUSEWHEEL:
        // Also where a control passes the wheel on to its parent, as DefWindowProc does.
        if (OnWheel({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, GET_WHEEL_DELTA_WPARAM(wParam))) {
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == tmrDisplay->id()) {
            tmrDisplay->Tick();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // The focus goes back to the control that had it, not to the window itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            RememberFocus();
        } else if (HIWORD(wParam) == 0) {
            SetFocus(m_focus);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        ApplyDpi(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        m_form->Form_Unload();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}
