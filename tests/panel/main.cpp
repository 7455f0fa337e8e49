#include <QApplication>

int runFieldEditingTest(int argc, char **argv);
int runRefreshTest(int argc, char **argv);
int runTypeChooserTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runFieldEditingTest(argc, argv);
    failures += runRefreshTest(argc, argv);
    failures += runTypeChooserTest(argc, argv);
    return failures;
}
