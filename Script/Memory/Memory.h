#pragma once
// The script heap. Creates and releases blocks and references, keeps the
// address map of mapped blocks and the registries of live nodes, blocks and
// references, and prints the leak reports. Every interpreter owns its heap;
// nodes join the heap of the interpreter that compiles them, values get
// their storage from the heap their execution context names.
//
// Locks: the tracking lock guards the registries, the address lock the
// address map; no operation holds both. Node, block and reference
// registration is an O(1) link into an intrusive list; reports sort by
// address when printed. Block and reference counts are atomic (see
// MemoryBlock.h).
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Script/Memory/ConstructMemoryHandler.h"
#include "Script/Memory/InstanceHandler.h"
#include "Script/Memory/MemoryBlock.h"
#include "Script/Memory/MemoryBlockRef.h"

namespace script {

class NativeRegistry;
class Runable;
class StdOutInterface;
class SymbolStore;
class ThreadMap;
class Type;

class Memory {
 public:
  Memory();
  Memory(const Memory&) = delete;
  Memory& operator=(const Memory&) = delete;
  // Blocks and references still alive are detached from the heap: releasing
  // them later frees their memory without touching the heap.
  virtual ~Memory();

  // While one lives, nodes constructed on its thread join the heap's
  // live-node registry: an interpreter holds one while it compiles.
  class NodeRegistration {
   public:
    explicit NodeRegistration(Memory& heap);
    ~NodeRegistration();
    NodeRegistration(const NodeRegistration&) = delete;
    NodeRegistration& operator=(const NodeRegistration&) = delete;

   private:
    Memory* previous_;
  };
  // The heap nodes constructed on this thread join; null outside a compile.
  static Memory* NodeRegistryOfThread();

  // Names for the reports and the sink they print on (channel 1).
  void SetSymbolStore(const SymbolStore* symbols) { symbols_ = symbols; }
  void SetOutput(StdOutInterface* sink) { sink_ = sink; }
  // The program's native functions by address, kept by the interpreter
  // (null without one); native calls and callbacks reach it through here.
  void SetNatives(NativeRegistry* natives) { natives_ = natives; }
  NativeRegistry* Natives() const { return natives_; }
  // The stack memory of every script thread, kept by the interpreter (null
  // without one); callbacks arriving on other threads take theirs there.
  void SetThreads(ThreadMap* threads) { threads_ = threads; }
  ThreadMap* Threads() const { return threads_; }

  // The destroy handler runs over every block whose count falls to zero; the
  // clear handler resets storage. The heap owns both and starts with a
  // DestroyMemoryHandler and a ClearMemoryHandler.
  void SetDestroyHandler(std::unique_ptr<InstanceHandler> handler) { destroyHandler_ = std::move(handler); }
  void SetClearHandler(std::unique_ptr<InstanceHandler> handler) { clearHandler_ = std::move(handler); }
  InstanceHandler* DestroyHandler() const { return destroyHandler_.get(); }
  InstanceHandler* ClearHandler() const { return clearHandler_.get(); }

  // The live-node registry.
  void TrackNode(Runable* node);
  void UntrackNode(Runable* node);
  std::size_t LiveNodeCount() const;
  // The live nodes in address order.
  std::vector<const Runable*> LiveNodes() const;

  // The live block and reference registries, in address order.
  std::size_t LiveBlockCount() const;
  std::size_t LiveRefCount() const;
  std::vector<const MemoryBlock*> LiveBlocks() const;
  std::vector<const MemoryBlockRef*> LiveRefs() const;

  // New blocks hold one count and are tracked. An owned block's data follows
  // its header and is zero-filled, with its strings constructed (empty). Null
  // when the memory cannot be had.
  MemoryBlock* NewOwnedBlock(Type* type, uint32_t size);
  // A foreign block over `address`, tracked and mapped.
  MemoryBlock* NewForeignBlock(Type* type, void* address, uint32_t size);

  // The address map: ranges [data, data + size], both ends included.
  // MapBlock sets BLOCK_MAPPED and enters the block's range.
  void MapBlock(MemoryBlock* block);
  void UnmapBlock(MemoryBlock* block);
  // Maps the block unless it is mapped already; its address can then be stored
  // in a pointer cell and found again.
  void EnsureMapped(MemoryBlock* block);
  // The block whose range holds the address (the first range in end order whose
  // end is at or after it, if it starts at or before it); the block gains a
  // count the caller must release. Null when none.
  MemoryBlock* FindBlock(const void* address);

  // Reads the pointer cell at holder data + cellOffset. Null cell, or a cell
  // that does not lie inside the holder: null.
  // Else the block holding the address, with one count for the caller, and
  // pointeeOffset = address - data; an address in no block gets a new foreign,
  // mapped block of the pointee type's size holding two counts (the caller's and
  // the cell's), with pointeeOffset 0.
  MemoryBlock* ResolvePointer(Type* pointee, MemoryBlock* holder, uint32_t cellOffset, uint32_t& pointeeOffset);
  // As ResolvePointer, but a null cell gets a new owned, zero-filled, mapped
  // block of the pointee's size whose address is written into the cell; it
  // holds two counts (the caller's and the cell's). Null only when the cell
  // does not lie inside the holder or memory runs out.
  MemoryBlock* ResolveOrAllocatePointee(Type* pointee, MemoryBlock* holder, uint32_t cellOffset,
                                        uint32_t& pointeeOffset);

  // New references hold one count and are tracked. Null only when the handle
  // itself cannot be allocated; a failed block allocation leaves it without block.
  // NewRef adds one count to the block (which may be null).
  MemoryBlockRef* NewRef(Type* type, MemoryBlock* block, uint32_t offset);
  // A reference to the object at an address: inside the block that holds it,
  // or over a new foreign, mapped block of the type's size.
  MemoryBlockRef* RefAtAddress(void* address, Type* type);
  // A reference over a new owned block (zero-filled, tracked, not mapped).
  MemoryBlockRef* NewOwnedRef(Type* type, uint32_t size);
  // A reference over a new foreign block, tracked and mapped.
  MemoryBlockRef* WrapForeignRef(Type* type, void* address, uint32_t size);

  // Unpins the blocks lock left pinned; each is freed once nothing else
  // holds it. For the end of the program that pinned them, after its leak
  // report: the types their destroy visits walk must still exist.
  void ReleaseLockedBlocks();

  // The leak reports, printed on the run channel of the output sink.
  void DumpLeaks() const;
  void DumpLeakedObjects() const;

 private:
  friend class MemoryBlock;
  friend class MemoryBlockRef;

  // FindBlock for an object of `size` bytes at the address: null unless the
  // block found holds the whole object (offset then set).
  MemoryBlock* FindHolder(const void* address, uint32_t size, uint32_t& offset);
  // Blocks not yet tracked, with one count.
  MemoryBlock* CreateOwnedBlock(Type* type, uint32_t size);
  MemoryBlock* CreateForeignBlock(Type* type, void* address, uint32_t size);
  // Registers a block, a reference, or both under one lock.
  void Track(MemoryBlock* block, MemoryBlockRef* ref);
  // Registers a new reference that takes over one count of the block (which may
  // be null), together with the block when it is new and untracked; without
  // memory for the reference the count is released and the result is null.
  MemoryBlockRef* TrackWithRef(Type* type, MemoryBlock* block, uint32_t offset, bool newBlock);
  // Frees a block whose count fell to zero (destroy visit, unmap), a reference
  // whose count fell to zero, or both under one lock; either may be null. A
  // block or reference that outlived its heap is only freed.
  static void Free(MemoryBlock* block, MemoryBlockRef* ref);
  // The name, line and position of a type for the reports.
  void AppendTypeInfo(std::string& line, const Type* type) const;
  bool IsReported(const Type* type) const;
  // The intrusive live lists.
  template <typename T>
  static void Link(T*& head, T* item);
  template <typename T>
  static void Unlink(T*& head, T* item);
  // The items of a live list in address order.
  template <typename T>
  static std::vector<const T*> SortedList(const T* head, std::size_t count);

  const SymbolStore* symbols_ = nullptr;
  StdOutInterface* sink_ = nullptr;
  NativeRegistry* natives_ = nullptr;
  ThreadMap* threads_ = nullptr;
  std::unique_ptr<InstanceHandler> destroyHandler_;
  std::unique_ptr<InstanceHandler> clearHandler_;
  ConstructMemoryHandler constructHandler_{this};

  mutable std::mutex trackingLock_;
  Runable* nodes_ = nullptr;
  std::size_t nodeCount_ = 0;
  // Heads of the intrusive live lists (doubly linked, unordered).
  MemoryBlock* blocks_ = nullptr;
  MemoryBlockRef* refs_ = nullptr;
  std::size_t blockCount_ = 0;
  std::size_t refCount_ = 0;

  mutable std::mutex addressLock_;
  // End address -> block. Several blocks may share an end (zero-size blocks,
  // one address wrapped twice).
  std::multimap<uintptr_t, MemoryBlock*> addressMap_;
};

}  // namespace script
