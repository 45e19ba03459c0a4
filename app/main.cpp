// The program entry: the application object, the main window, then the
// viewer; the event loop; exit code 0 on every path.

#include "AfterFirstPaint.h"
#include "TApplication.h"

#include "ui/Unit1.h"
#include "ui/Unit2.h"

#include "ui/Images.h"

#include <csignal>
#include <memory>

int main(int argc, char** argv) {
    // A write past a file-size limit must fail like a full disk, not end the
    // program.
    std::signal(SIGXFSZ, SIG_IGN);

    TApplication application(argc, argv);
    const auto form1 = std::make_unique<TForm1>();
    const auto form2 = std::make_unique<TForm2>(*form1, form1.get());
    form1->SetViewer(form2.get());
    // Every window shows the program icon. Its six pictures are read once the
    // first window has painted, so they hold up neither its mapping nor its
    // first picture.
    AfterFirstPaint(&application, [&application] { application.setWindowIcon(ProgramIcon()); });
    application.Run(form1.get());
    return 0;
}
