#include <QApplication>

int runRoadTest(int argc, char **argv);
int runReleaseTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runRoadTest(argc, argv);
    failures += runReleaseTest(argc, argv);
    return failures;
}
