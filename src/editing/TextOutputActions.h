// TextOutputActions: the tree pane's text output commands — write the
// outline or the selected branch to a text or HTML file, put the same text
// on the clipboard, and edit the output format.
//
// Both outputs work on a copy of the live outline taken after the body is
// written back, so nothing they do (the chapter recount above all) reaches
// the document or the tree pane. Options are read from the settings store
// at each output. Every failure is told to the user through the prompt.
// The document, settings store, clock, prompt, dialogs and clipboard are
// not owned and must outlive the object. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include <QString>
#include <memory>

#include "output/TextOutput.h"

namespace qm {

class CQuillmapDoc;
class Clipboard;
class Clock;
class FileDialogs;
class TextOutputDialogs;
class Prompt;
class SettingsStore;

class TextOutputActions {
 public:
  TextOutputActions(CQuillmapDoc& doc, SettingsStore& settings, const Clock& clock, Prompt& prompt,
                    TextOutputDialogs& dialogs, FileDialogs& files, Clipboard& clipboard);
  TextOutputActions(const TextOutputActions&) = delete;
  TextOutputActions& operator=(const TextOutputActions&) = delete;

  // Asks for a file name and writes the output there. Characters the code
  // page cannot hold are written as "?" only after the user agreed. Returns
  // true when the file was written; false on cancel or failure (told).
  bool OutputToFile();
  // Replaces the clipboard's text by the output.
  void CopyToClipboard();
  // Shows the format dialog; on OK stores every option and returns true.
  bool EditFormat();

  // The file name proposed for the output of the document at documentPath:
  // its name without folder and extension, with ".html" for the HTML forms
  // and ".txt" otherwise; empty when the document has no path.
  static QString ProposedFileName(const QString& documentPath, int form);

 private:
  // The selected node's branch when only that is wanted and a node is
  // selected; otherwise the whole outline.
  struct Range {
    int first = 0;
    int end = 0;
  };
  Range OutputRange(const TextOutputOptions& options) const;
  QString OutputText(const TextOutputOptions& options, TextOutputUse use);
  // A copy of the outline for the output to recount chapters in.
  std::unique_ptr<CTreeStore> OutputCopy() const;
  TextOutputOptions ReadOptions() const;
  void Tell(QStringView text);

  CQuillmapDoc& m_doc;
  SettingsStore& m_settings;
  const Clock& m_clock;
  Prompt& m_prompt;
  TextOutputDialogs& m_dialogs;
  FileDialogs& m_files;
  Clipboard& m_clipboard;
};

}  // namespace qm
