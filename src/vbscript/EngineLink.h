#pragma once
// What script objects share with the engine that made them. Objects may outlive the engine (a
// host can keep one), so they reach it only through this link, which the engine clears when it
// goes.
#include <unordered_set>
#include <vector>

namespace quillon::vbscript {

class Interpreter;
class ClassInstance;

struct EngineLink {
  Interpreter* engine = nullptr;
  // Instances whose last reference went while the engine was busy; their Class_Terminate runs
  // at the next statement boundary rather than in the middle of whatever released them.
  std::vector<ClassInstance*> terminate_queue;
  // Instances to delete. Deleting one may release others (a linked list of objects); the queue
  // turns that recursion into a loop so that a long chain cannot exhaust the stack.
  std::vector<ClassInstance*> release_queue;
  bool releasing = false;
  // Every instance alive, so that the engine can break reference cycles when it goes.
  std::unordered_set<ClassInstance*> live;
};

}  // namespace quillon::vbscript
