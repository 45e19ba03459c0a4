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
    const TForms forms = CreateForms(TForm2::TContents::Later);
    // What the first picture does not need waits for it: the program icon's
    // six pictures (every window shows it) and the hidden viewer's controls.
    AfterFirstPaint(&application, [&application, &forms] {
        application.setWindowIcon(ProgramIcon());
        forms.form2->EnsureBuilt();
    });
    application.Run(forms.form1.get());
    return 0;
}
