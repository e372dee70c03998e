#include "main/DataFolders.h"
#include "main/MainModel.h"
#include "main/SingleInstance.h"
#include "main/ui/DialogPrompt.h"
#include "main/ui/frmTransfer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(vexa::ProgramName);

    // A second copy ends before it touches the first one's log or settings.
    vexa::SingleInstance instance;
    if (!instance.isFirst())
        return 0;

    const vexa::DataFolders folders = vexa::prepareDataFolders();
    vexa::DialogPrompt prompt;
    vexa::MainModel model(prompt);
    vexa::FrmTransfer window(model);
    prompt.setParentWindow(&window);
    model.programStart({QCoreApplication::applicationDirPath(), folders.appDataPath, folders.messDataPath});
    window.show();
    return QApplication::exec();
}
