#include "UFrmSpell.h"

int main(int argc, char **argv)
{
    return TFrmSpell::RunProgram(argc, argv);
}
