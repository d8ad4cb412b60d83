#pragma once
// What a run needs of the open scripts: modified ones saved first.

namespace kelvra::ide {

class CScriptSaver {
 public:
  // Saves the modified scripts after one question; false when the user
  // declined or a save failed, and the run must not start.
  virtual bool SaveModifiedScripts() = 0;

 protected:
  ~CScriptSaver() = default;
};

}  // namespace kelvra::ide
