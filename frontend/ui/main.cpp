// Orvell-22: the desktop front end. Without arguments it shows the start window;
// "--render ..." draws a result to an image without a window.

#include "form1.h"
#include "render_mode.h"
#include "widgets.h"

#include <QApplication>

#include <string_view>

int main(int argc, char* argv[])
{
    if (argc > 1 && std::string_view(argv[1]) == "--render")
        return runRenderMode(argc, argv);

    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvell-22");
    applyProgramStyle();
    // Windows are hidden, never closed, while moving between them; the start window ends the
    // program itself.
    QApplication::setQuitOnLastWindowClosed(false);
    Form1 start;
    start.show();
    return application.exec();
}
