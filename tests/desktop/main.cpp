#include <QApplication>

int runInstallTest(int argc, char **argv);
int runWindowTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The window test runs itself again under a scale factor; that run is its alone.
    if (qEnvironmentVariableIsSet("AMBROOK_SCALED_RUN"))
        return runWindowTest(argc, argv);
    int failures = 0;
    failures += runInstallTest(argc, argv);
    failures += runWindowTest(argc, argv);
    return failures;
}
