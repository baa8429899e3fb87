// Start-up entry of the analyzer: the application object, the one window,
// the message loop. The program always ends with status 0.
#include "app/Unit2.h"
#include "base/Exception.h"
#include "toolkit/Application.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    try {
        TForm2 form;
        Form2 = &form;
        // A request to terminate (the session ending) closes the window as
        // its close box does.
        CloseOnTerminationRequest(&form);
        form.show();
        application.exec();
    } catch (const Exception& error) {
        application.ShowException(error);
    } catch (...) {
        application.ShowException(Exception(""));
    }
    Form2 = nullptr;
    return 0;
}
