#include <QApplication>

int runFaultTest(int argc, char **argv);
int runBadValueTest(int argc, char **argv);
int runHostileTest(int argc, char **argv);
int runCrashTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runFaultTest(argc, argv);
    failures += runBadValueTest(argc, argv);
    failures += runHostileTest(argc, argv);
    failures += runCrashTest(argc, argv);
    return failures;
}
