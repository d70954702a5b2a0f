#include "render_mode.h"

#include "form2.h"
#include "messages.h"
#include "widgets.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct RenderRequest {
    QString result;
    QString out;
    int plane = 1;
};

int usage(const char* problem)
{
    std::fprintf(stderr,
                 "Orvell-22 --render: %s\n"
                 "usage: Orvell-22 --render RESULT.orv2 [--plane P] --out FILE.png\n"
                 "  P: the axial plane, 1 (0 - 5 mm from the centre) to 40 (195 - 200 mm)\n",
                 problem);
    return 2;
}

bool parse(int argc, char* argv[], RenderRequest& request, const char*& problem)
{
    for (int i = 2; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (argument == "--out" && hasValue) {
            request.out = QString::fromLocal8Bit(argv[++i]);
        } else if (argument == "--plane" && hasValue) {
            char* end = nullptr;
            const long plane = std::strtol(argv[++i], &end, 10);
            if (*argv[i] == '\0' || *end != '\0' || plane < 1 || plane > 40) {
                problem = "the plane must be a whole number from 1 to 40";
                return false;
            }
            request.plane = static_cast<int>(plane);
        } else if (!argument.starts_with("--") && request.result.isEmpty()) {
            request.result = QString::fromLocal8Bit(argv[i]);
        } else {
            problem = "unexpected argument";
            return false;
        }
    }
    if (request.result.isEmpty() || request.out.isEmpty()) {
        problem = "a result file and --out FILE.png are needed";
        return false;
    }
    return true;
}

} // namespace

int runRenderMode(int argc, char* argv[])
{
    RenderRequest request;
    const char* problem = "";
    if (!parse(argc, argv, request, problem)) {
        return usage(problem);
    }
    // Nothing is shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvell-22");
    applyProgramStyle();

    // Messages the window would show go to the console instead.
    bool failed = false;
    setMessagePresenter([&failed](QWidget*, const Message& message) {
        std::fprintf(stderr, "%s\n", message.text.toLocal8Bit().constData());
        failed = true;
    });

    const QFileInfo result(request.result);
    const QString out = QFileInfo(request.out).absoluteFilePath();
    if (!result.isFile()) {
        std::fprintf(stderr, "Orvell-22 --render: no result file %s\n",
                     request.result.toLocal8Bit().constData());
        return 1;
    }
    // The results window lists and reads the result files of the working directory.
    QDir::setCurrent(result.absolutePath());
    Form2 window(nullptr);
    window.resetResults();
    if (!window.chooseFile(result.fileName())) {
        std::fprintf(stderr, "Orvell-22 --render: %s is not listed as a result (*.orv2)\n",
                     request.result.toLocal8Bit().constData());
        return 1;
    }
    if (failed) {
        return 1;
    }
    window.Command14_Click();
    if (failed || window.resultLoaded() != 1) {
        return 1;
    }
    if (request.plane != 1) {
        // The middle of the plane's band, as a click there would choose it.
        window.Picture6_MouseDown(Qt::LeftButton, 5.0 * request.plane - 2.5, 0);
    }
    const QImage image = window.grab().toImage();
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "Orvell-22 --render: cannot write %s\n", out.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
