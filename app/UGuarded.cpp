#include "UGuarded.h"

#include "UDatabaseError.h"
#include "UErrorMessages.h"
#include "UMessageBox.h"

void Guarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDatabaseError &error) {
        ShowDatabaseError(parent, error);
    } catch (const std::exception &error) {
        ShowInfo(parent, QString::fromLocal8Bit(error.what()));
    }
}
