// WriteEncodedFile: text written to a file in the code page — the one write
// path of every save (outline, memo and plain-text files, text output, the
// body pane's text, new link files).
//
// Characters the code page cannot hold are never dropped silently: with
// SaveLoss::Refuse such a text writes nothing and the characters are
// reported; with SaveLoss::Allow they are written as "?" and still listed,
// so the caller can ask the user in between and say what was replaced.
#pragma once

#include <QString>
#include <QStringView>
#include <functional>

#include "platform/FileIo.h"
#include "platform/TextSink.h"

namespace qm {

enum class SaveLoss { Refuse, Allow };

// Replace: the file takes the new text, an old one only once the new one is
// complete. CreateNew: the file must not exist yet; one that appears
// meanwhile is never written over (CannotWrite, FileFailure::Kind::Exists).
enum class FileWriteMode { Replace, CreateNew };

struct EncodedWrite {
  enum class Status { Written, Unencodable, CannotWrite };
  Status status = Status::Written;
  QString unencodable;  // characters the code page cannot hold, each once
  FileFailure failure;  // with CannotWrite: why (FailureReason gives the text)

  bool Written() const { return status == Status::Written; }
};

// Puts a file's text into the sink piece by piece (see TextSink); the sink
// encodes and writes each chunk as it fills.
using TextWriter = std::function<void(TextSink& sink)>;

// Encodes text in the code page and puts it at path (WriteFileReplacing or
// WriteNewFile). On Written the file holds exactly the encoded text. On
// Unencodable (only with SaveLoss::Refuse) nothing is written. On
// CannotWrite, failure says why, and the file at path is as those two
// functions leave it after a failure: untouched, except where the failure
// itself says otherwise.
EncodedWrite WriteEncodedFile(const QString& path, QStringView text, SaveLoss loss,
                              FileWriteMode mode = FileWriteMode::Replace,
                              FileSystem& fs = SystemFileSystem());

// The same with the text made as it is written: about a megabyte of encoded
// bytes at a time goes to the file, so neither the whole text nor its bytes
// are held at once. With SaveLoss::Refuse the writing stops at the first
// character the code page cannot hold (the writer still runs to the end, so
// every such character is listed) and the file is left as it was.
EncodedWrite WriteEncodedFile(const QString& path, const TextWriter& write, SaveLoss loss,
                              FileWriteMode mode = FileWriteMode::Replace,
                              FileSystem& fs = SystemFileSystem());

// The characters of the writer's text that the code page cannot hold, each
// once, in order of first appearance; nothing is written anywhere.
QString UnencodableIn(const TextWriter& write);

}  // namespace qm
