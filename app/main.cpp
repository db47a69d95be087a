#include "UFrmSpell.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return TFrmSpell::RunProgram(app);
}
