#include <QApplication>

int runNewBoxTest(int argc, char **argv);
int runNewObjectTest(int argc, char **argv);
int runColourTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runNewBoxTest(argc, argv);
    failures += runNewObjectTest(argc, argv);
    failures += runColourTest(argc, argv);
    return failures;
}
