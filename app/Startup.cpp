#include "app/Startup.h"

#include "app/Unit2.h"
#include "base/Exception.h"
#include "toolkit/Application.h"

int RunAnalyzer(int& argc, char** argv) {
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
