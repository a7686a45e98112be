// The program's main block: the help engine's units, the application object, its title, the main window
// and the loop, started and ended in an order that the code below makes visible.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "framework/application.h"
#include "framework/error_box.h"
#include "help/hh.h"
#include "help/hh_funcs.h"
#include "main_window/form1.h"
#include "main_window/form1_ids.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    // Destroyed in reverse: the main window first (its destruction closes the help windows), then
    // the probe's strings, and the help library is unloaded last.
    const hh::Unit helpEngine;
    const hh_funcs::Unit helpProbe;

    framework::Application& application = framework::Application::Instance();
    application.SetTitle(talvorine::kApplicationTitle);
    int exitCode = 0;
    framework::RunGuarded([&] {
        framework::Whole<talvorine::TForm1> form1;
        exitCode = application.Run(form1);
    });
    return exitCode;
}
