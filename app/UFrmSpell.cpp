#include "UFrmSpell.h"
#include <QApplication>
int TFrmSpell::RunProgram(QApplication &app)
{
    TFrmSpell w;
    w.show();
    return app.exec();
}
