// One cartridge image being looked at, with what is read beside it: the
// linker's debug file and the emulators' play logs. The window and the
// command line both work through it, so that every rule of loading,
// reloading and watching is written once. No user interface.
//
// File names are the bytes given (UTF-8 on Windows). Notes and messages
// are UTF-8 texts for the status line and the error box.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bank_layout.h"
#include "debug_info.h"
#include "image_labels.h"
#include "nes_image.h"
#include "play_log.h"
#include "regular_file.h"
#include "segment_map.h"
#include "view_options.h"

class TSession {
 public:
  // Whether the image's own debug file and play log are read with it
  // (game.dbg and game.cdl beside game.nes): the window reads them, the
  // command line reads only the files it is given.
  enum class TBeside { Read, Ignore };
  explicit TSession(TBeside beside = TBeside::Read) : beside_(beside) {}

  // --- The image.
  // Makes `name` the current file and loads it, even when the load fails;
  // a debug file and play logs chosen for the earlier file are forgotten.
  // True when a new image was taken.
  bool Open(const std::string& name);
  // Loads the current file again, with its debug file and play logs. A
  // failed load that keeps the earlier image keeps what was read with it;
  // one that leaves no image drops it.
  bool Reload();
  // Releases the image (the window is going).
  void Release() { NES.Release(); }
  const std::string& FileName() const { return fileName_; }
  const TNESImage& Image() const { return NES; }
  bool Held() const { return NES.Held(); }
  // Why the last load could not read the file; failure None when it was
  // read (and then perhaps refused for its length or signature).
  const TFileError& LoadError() const { return loadError_; }

  // --- The watch: true when the current file, or what is read with it,
  // shows a last-write time other than at the last load (an older copy put
  // back is a change too). False while the current file cannot be looked
  // at. A changed file that keeps failing to load stays changed.
  bool Changed() const;

  // --- The linker's debug file.
  enum class TDbgResult { Used, NoImage, Unreadable, NotOfImage };
  // Reads `name` as the held image's debug file in place of its own and
  // keeps it for reloads, until another file is opened. `error` says why
  // one is not used (also kept as DbgNote).
  TDbgResult ChooseDbg(const std::string& name, std::string& error);
  // A debug file is read and its segments placed in the held image.
  bool DbgHeld() const { return dbgHeld_; }
  const TDebugInfo& Dbg() const { return dbg_; }
  const TSegmentMap& Segments() const { return segments_; }
  const std::string& ChosenDbgFileName() const { return chosenDbg_; }

  // --- The play logs: the image's own and those added, merged.
  // Adds `name` to the logs read with the image and reads them all afresh
  // into a new merge, which replaces the held one unless a log is refused.
  // A log that is not merged is not kept. Refused with no image held
  // (said in PlayNote, `message` left empty) or when a log is not one of
  // this image (`message` says why).
  TAddOutcome AddPlayLog(const std::string& name, std::string& message);
  const TPlayLog& Play() const { return play_; }
  const std::vector<std::string>& ChosenCdlFileNames() const { return chosenCdl_; }

  // --- The label files: those beside the image (game.mlb, game.nes.N.nl)
  // and those added, read and watched with it.
  // Adds `name` and reads them all afresh. One that cannot be used is not
  // kept, the labels held stay, and LabelNote says why (also `message`).
  // False then, and with no image held.
  bool AddLabelFile(const std::string& name, std::string& message);
  const TImageLabels& Labels() const { return labels_; }
  const std::vector<std::string>& ChosenLabelFileNames() const { return chosenLabels_; }

  // --- Why something is not used; empty when there is nothing to say.
  const std::string& ImageNote() const { return imageNote_; }
  const std::string& DbgNote() const { return dbgNote_; }
  const std::string& PlayNote() const { return playNote_; }
  const std::string& LabelNote() const { return labelNote_; }
  // All of them, joined by "; ", for one status line.
  std::string Note() const;

  // --- The views over the maps (off at every start).
  void ShowSegments(bool shown) { showSegments_ = shown; }
  void ShowPlay(bool shown) { showPlay_ = shown; }
  bool SegmentsShown() const { return showSegments_; }
  bool PlayShown() const { return showPlay_; }
  // What the views add to the drawing now: only what is shown and held.
  TViewOptions ViewOptions() const;

  // --- The sizes the banks are cut to (16 KB and 8 KB at start), for the
  // drawing, the readout and the debug file's segments.
  void SetBankSizes(TBankSizes sizes);
  TBankSizes BankSizes() const { return sizes_; }

  // The readout of a byte of the held image (`bank` in the banks' sizes):
  // its figures, then what it is in the debug file, how the logs reached it
  // and the label over it, when those are held.
  std::string ByteText(TBankKind kind, unsigned bank, std::uint64_t offset) const;

 private:
  bool Load();
  // The debug file chosen, or else the image's own; false when one is
  // there but cannot be used (the note says why).
  TDbgResult LoadDbg(std::string& error);
  void DropDbg();
  TAddOutcome LoadPlay(std::string& message);
  void DropPlay();
  std::string OwnFile(const char* extension) const;
  bool LoadLabels(std::string& message);

  TBeside beside_;
  std::string fileName_;
  TNESImage NES;
  TFileError loadError_;
  std::string imageNote_;

  std::string chosenDbg_;  // empty: the image's own
  TDebugInfo dbg_;
  TSegmentMap segments_;
  bool dbgHeld_ = false;
  std::string dbgNote_;

  std::vector<std::string> chosenCdl_;
  TPlayLog play_;
  std::string playNote_;

  // Each file read with the image and its write time then (0: absent), for
  // the watch; the image's own are watched even while absent, since a
  // linker or an emulator may write them later.
  using TWatched = std::pair<std::string, std::uint64_t>;
  std::vector<TWatched> dbgTimes_;
  std::vector<TWatched> playTimes_;

  std::vector<std::string> chosenLabels_;
  TImageLabels labels_;  // watches its own files
  std::string labelNote_;

  bool showSegments_ = false;
  bool showPlay_ = false;
  TBankSizes sizes_;
};
