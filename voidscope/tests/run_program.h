// The voidscope program itself, run in a folder as a build script would run
// it, with what it printed and its exit status.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct TProgramRun {
  int status = -1;  // -1: it crashed or did not finish
  QByteArray out;
  QByteArray err;
};

inline TProgramRun RunProgram(const QString& folder, const QString& program, const QStringList& args) {
  QProcess process;
  process.setWorkingDirectory(folder);
  process.start(program, args);
  TProgramRun run;
  if (!process.waitForFinished(60000)) return run;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  if (process.exitStatus() == QProcess::NormalExit) run.status = process.exitCode();
  return run;
}
