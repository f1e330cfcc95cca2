#include "ui/app/startup.h"

int main(int argc, char** argv)
{
    return pelto::ui::RunPeltoBrowser(argc, argv);
}
