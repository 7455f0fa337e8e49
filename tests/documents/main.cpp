#include <QApplication>

int runDoubleClickTest(int argc, char **argv);
int runFileDropTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runDoubleClickTest(argc, argv);
    failures += runFileDropTest(argc, argv);
    return failures;
}
