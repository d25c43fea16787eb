#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

bool TQtDialogs::ExecuteOpenNES(QWidget* owner, QString& fileName) {
  QFileDialog OpenDialogNES(owner, "Open NES file");
  OpenDialogNES.setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist is accepted; the load then fails.
  OpenDialogNES.setFileMode(QFileDialog::AnyFile);
  OpenDialogNES.setNameFilters({"NES files (*.nes)", "All files (*.*)"});
  OpenDialogNES.setDefaultSuffix("nes");
  OpenDialogNES.setSizeGripEnabled(true);
  if (!fileName.isEmpty()) OpenDialogNES.selectFile(fileName);
  if (OpenDialogNES.exec() != QDialog::Accepted || OpenDialogNES.selectedFiles().isEmpty())
    return false;
  fileName = OpenDialogNES.selectedFiles().first();
  return true;
}

bool TQtDialogs::ExecuteSaveReport(QWidget* owner, QString& fileName) {
  QFileDialog SavePictureDialogReport(owner);
  SavePictureDialogReport.setAcceptMode(QFileDialog::AcceptSave);
  SavePictureDialogReport.setFileMode(QFileDialog::AnyFile);
  SavePictureDialogReport.setDirectory(".");
  SavePictureDialogReport.setNameFilters({"Bitmaps (*.bmp)", "All files (*)"});
  // No default extension and no question before an existing file is replaced.
  SavePictureDialogReport.setOption(QFileDialog::DontConfirmOverwrite);
  if (SavePictureDialogReport.exec() != QDialog::Accepted ||
      SavePictureDialogReport.selectedFiles().isEmpty())
    return false;
  fileName = SavePictureDialogReport.selectedFiles().first();
  return true;
}

bool TQtDialogs::ExecuteOpenDbg(QWidget* owner, QString& fileName) {
  QFileDialog OpenDialogDbg(owner, "Open debug file");
  OpenDialogDbg.setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialogDbg.setFileMode(QFileDialog::ExistingFile);
  OpenDialogDbg.setNameFilters({"Linker debug files (*.dbg)", "All files (*)"});
  if (!fileName.isEmpty()) OpenDialogDbg.selectFile(fileName);
  if (OpenDialogDbg.exec() != QDialog::Accepted || OpenDialogDbg.selectedFiles().isEmpty())
    return false;
  fileName = OpenDialogDbg.selectedFiles().first();
  return true;
}

bool TQtDialogs::ExecuteOpenCdl(QWidget* owner, QString& fileName) {
  QFileDialog OpenDialogCdl(owner, "Add play log");
  OpenDialogCdl.setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialogCdl.setFileMode(QFileDialog::ExistingFile);
  OpenDialogCdl.setNameFilters({"Code/data logs (*.cdl)", "All files (*)"});
  if (!fileName.isEmpty()) OpenDialogCdl.selectFile(fileName);
  if (OpenDialogCdl.exec() != QDialog::Accepted || OpenDialogCdl.selectedFiles().isEmpty())
    return false;
  fileName = OpenDialogCdl.selectedFiles().first();
  return true;
}

bool TQtDialogs::ExecuteOpenLabels(QWidget* owner, QString& fileName) {
  QFileDialog OpenDialogLabels(owner, "Open label file");
  OpenDialogLabels.setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialogLabels.setFileMode(QFileDialog::ExistingFile);
  OpenDialogLabels.setNameFilters({"Label files (*.mlb *.nl)", "All files (*)"});
  if (!fileName.isEmpty()) OpenDialogLabels.selectFile(fileName);
  if (OpenDialogLabels.exec() != QDialog::Accepted || OpenDialogLabels.selectedFiles().isEmpty())
    return false;
  fileName = OpenDialogLabels.selectedFiles().first();
  return true;
}

void TQtDialogs::ShowError(QWidget* owner, const QString& message) {
  QMessageBox::critical(owner, QApplication::applicationName(), message);
}
