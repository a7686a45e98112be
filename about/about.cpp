// The About box and its dialog.
#include "about/about.h"

#include <memory>
#include <new>
#include <string>

#include "about/fabout_layout.h"
#include "framework/ansi.h"
#include "framework/error.h"

namespace talvorine {

BOOL(WINAPI* AboutMessageBeep)(UINT type) = ::MessageBeep;

namespace {

constexpr wchar_t kDefaultCopyright[] = L"© 2026 les développeurs de Talvorine";

// The About texts are shown, never written to a file: a missing character may become its
// stand-in rather than stop the show. Only the first 100 bytes are kept: a longer text need
// not be converted whole. Twice as many UTF-16 units, for characters written as two of them.
std::string ToAnsi(std::wstring_view text) {
    return framework::WideToAnsiLenient(text.substr(0, 2 * ShortText::kCapacity));
}

std::wstring ThousandsSeparator() {
    wchar_t separator[8] = L"";
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) == 0) {
        return L"";
    }
    return separator;
}

}  // namespace

TFAbout::TFAbout(HWND owner) : Form(kFAbout, fabout::kControls) { CreateForm(owner); }

TFAbout::~TFAbout() {
    // The window goes before the lines it paints and the icon it shows.
    Destroy();
}

framework::GraphicControl* TFAbout::GraphicControlFor(int id) {
    switch (id) {
        case kIdLine1:
            return &Line1;
        case kIdLine2:
            return &Line2;
        default:
            return nullptr;
    }
}

void TFAbout::ControlsCreated() {
    for (const fabout::LineSettings& settings : fabout::kLines) {
        TLine& line = *static_cast<TLine*>(GraphicControlFor(settings.id));
        line.Pen().SetColor(settings.penColour);
        line.SetFromX(settings.fromX);
        line.SetToX(settings.toX);
        line.SetFromY(settings.fromY);
        line.SetToY(settings.toY);
        line.SetLine(settings.line);
    }
}

void TFAbout::FormCreate() {
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON");
    m_icon.reset(::CopyIcon(icon != nullptr ? icon : ::LoadIconW(nullptr, IDI_APPLICATION)));
    ::SendMessageW(Control(kIdFImage), STM_SETICON, reinterpret_cast<WPARAM>(m_icon.get()), 0);

    AboutMessageBeep(0);

    // The 64-bit count: the 32-bit one of GlobalMemoryStatus is capped at 2 or 4 GB.
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!::GlobalMemoryStatusEx(&status)) {
        throw framework::Error(L"Impossible de lire l'état de la mémoire : " +
                               framework::SystemErrorDescription(::GetLastError()));
    }
    SetControlText(kIdLblPhysMem, PhysicalMemoryLine(status.ullTotalPhys, ThousandsSeparator()));
    SetControlText(kIdLblPhysRes, FreeResourcesLine(status.dwMemoryLoad));
}

void TFAbout::OnCommand(UINT id, UINT code, HWND /*control*/) {
    if (id == kIdButton1 && code == BN_CLICKED) {
        Button1Click();
    }
}

void TFAbout::Button1Click() { ::SendMessageW(Handle(), WM_CLOSE, 0, 0); }

TAboutBox::TAboutBox(HWND owner) : m_owner(owner) { SetCopyright(kDefaultCopyright); }

std::wstring TAboutBox::ProductName() const { return framework::AnsiToWide(m_productName.Value()); }
std::wstring TAboutBox::Version() const { return framework::AnsiToWide(m_version.Value()); }
std::wstring TAboutBox::Copyright() const { return framework::AnsiToWide(m_copyright.Value()); }
void TAboutBox::SetProductName(std::wstring_view text) { m_productName.Assign(ToAnsi(text)); }
void TAboutBox::SetVersion(std::wstring_view text) { m_version.Assign(ToAnsi(text)); }
void TAboutBox::SetCopyright(std::wstring_view text) { m_copyright.Assign(ToAnsi(text)); }

bool TAboutBox::Execute() {
    std::unique_ptr<TFAbout> dialog;
    try {
        dialog = std::make_unique<TFAbout>(m_owner);
    } catch (const framework::Error&) {
        AboutMessageBeep(0);
        return false;
    } catch (const std::bad_alloc&) {
        AboutMessageBeep(0);
        return false;
    }
    dialog->SetControlText(kIdAboutLabel1, ProductName());
    dialog->SetControlText(kIdAboutLabel2, Version());
    dialog->SetControlText(kIdAboutLabel3, Copyright());
    dialog->ShowModal(m_owner);
    return false;
}

}  // namespace talvorine
