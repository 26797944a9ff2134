#include "app/FolderOperations.h"

#include "app/Program.h"
#include "folderbrowser/FolderChooser.h"
#include "options/OptionsDialog.h"

void connectOptionsDialog(Program& program, OptionsDialog& dialog) {
    QObject::connect(&dialog, &OptionsDialog::holdingPlayerWindows, &dialog,
                     [&program, &dialog](bool holding) {
                         if (holding) {
                             program.holdPlayerWindows(&dialog);
                         } else {
                             program.releasePlayerWindows(&dialog);
                         }
                     });
    QObject::connect(&dialog, &OptionsDialog::folderChooserRequested, &dialog,
                     [&program, &dialog](const QString& folder) {
                         FolderChooser& chooser = program.folderChooser();
                         QObject::connect(&chooser, &FolderChooser::chosen, &dialog,
                                          &OptionsDialog::takeChosenFolder, Qt::UniqueConnection);
                         chooser.open(dialog, folder);
                     });
}
