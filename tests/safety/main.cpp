#include <QApplication>

int runValueTest(int argc, char **argv);
int runFaultTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int failures = runFaultTest(argc, argv);
    return failures + runValueTest(argc, argv);
}
