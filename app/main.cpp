// The program entry: the application object, the two windows, the event
// loop; exit code 0 on every path.

#include "app/AfterFirstPaint.h"
#include "app/TApplication.h"
#include "ui/Forms.h"
#include "ui/controls/Images.h"

#include <csignal>

int main(int argc, char** argv) {
    // A write past a file-size limit must fail like a full disk, not end the
    // program.
    std::signal(SIGXFSZ, SIG_IGN);

    TApplication application(argc, argv);
    const TForms forms = CreateForms();
    // Every window shows the program icon. Its six pictures are read once the
    // first window has painted, so they hold up neither its mapping nor its
    // first picture.
    AfterFirstPaint(&application, [&application] { application.setWindowIcon(ProgramIcon()); });
    application.Run(forms.form1.get());
    return 0;
}
