#include "Script/Memory/Memory.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>

#include "Script/Foundation/SymbolStore.h"
#include "kelvra/StdOutInterface.h"
#include "Script/Expressions/Runable.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/ChunkCache.h"
#include "Script/Memory/ClearMemoryHandler.h"
#include "Script/Memory/DestroyMemoryHandler.h"

namespace script {

namespace {

thread_local Memory* nodeRegistryOfThread = nullptr;

static_assert(sizeof(MemoryBlock) % 16 == 0, "owned data must start 16-byte aligned");

// Owned data follows the header; a foreign block is the header alone.
std::size_t ChunkBytes(const MemoryBlock* block) {
  return sizeof(MemoryBlock) + (block->IsForeign() ? 0 : block->Size());
}

uintptr_t StartOf(const MemoryBlock* block) { return reinterpret_cast<uintptr_t>(block->Data()); }
uintptr_t EndOf(const MemoryBlock* block) { return StartOf(block) + block->Size(); }

// Whether a pointer cell lies inside the holder's data.
bool HoldsCell(const MemoryBlock* holder, uint32_t offset) {
  return holder != nullptr && offset <= holder->Size() && holder->Size() - offset >= sizeof(void*);
}

uint32_t SizeOf(const Type* type) { return type != nullptr ? type->GetSize() : 0; }

// Adds a count unless the block is already dying (count word 0).
bool TryAddRef(std::atomic<uint32_t>& count) {
  uint32_t word = count.load(std::memory_order_relaxed);
  while (word != 0) {
    if (count.compare_exchange_weak(word, word + 1, std::memory_order_relaxed)) return true;
  }
  return false;
}

std::string Hex16(const void* address) {
  char text[24];
  std::snprintf(text, sizeof text, "%016" PRIXPTR, reinterpret_cast<uintptr_t>(address));
  return text;
}

}  // namespace

template <typename T>
std::vector<const T*> Memory::SortedList(const T* head, std::size_t count) {
  std::vector<const T*> items;
  items.reserve(count);
  for (const T* item = head; item != nullptr; item = item->next_) items.push_back(item);
  std::sort(items.begin(), items.end(), std::less<const T*>());
  return items;
}

template <typename T>
void Memory::Link(T*& head, T* item) {
  item->prev_ = nullptr;
  item->next_ = head;
  if (head != nullptr) head->prev_ = item;
  head = item;
}

template <typename T>
void Memory::Unlink(T*& head, T* item) {
  (item->prev_ != nullptr ? item->prev_->next_ : head) = item->next_;
  if (item->next_ != nullptr) item->next_->prev_ = item->prev_;
  item->prev_ = item->next_ = nullptr;
}

Memory::NodeRegistration::NodeRegistration(Memory& heap) : previous_(nodeRegistryOfThread) {
  nodeRegistryOfThread = &heap;
}

Memory::NodeRegistration::~NodeRegistration() { nodeRegistryOfThread = previous_; }

Memory* Memory::NodeRegistryOfThread() { return nodeRegistryOfThread; }

Memory::Memory()
    : destroyHandler_(std::make_unique<DestroyMemoryHandler>(this)),
      clearHandler_(std::make_unique<ClearMemoryHandler>(this)) {}

Memory::~Memory() {
  destroyHandler_.reset();
  clearHandler_.reset();
  for (MemoryBlock* block = blocks_; block != nullptr; block = block->next_) block->heap_ = nullptr;
  for (MemoryBlockRef* ref = refs_; ref != nullptr; ref = ref->next_) ref->heap_ = nullptr;
  for (Runable* node = nodes_; node != nullptr; node = node->next_) node->registry_ = nullptr;
}

// ---- registries

void Memory::TrackNode(Runable* node) {
  std::lock_guard lock(trackingLock_);
  Link(nodes_, node);
  ++nodeCount_;
  node->registry_ = this;
}

void Memory::UntrackNode(Runable* node) {
  std::lock_guard lock(trackingLock_);
  Unlink(nodes_, node);
  --nodeCount_;
  node->registry_ = nullptr;
}

std::size_t Memory::LiveNodeCount() const {
  std::lock_guard lock(trackingLock_);
  return nodeCount_;
}

std::vector<const Runable*> Memory::LiveNodes() const {
  std::lock_guard lock(trackingLock_);
  return SortedList<Runable>(nodes_, nodeCount_);
}

std::size_t Memory::LiveBlockCount() const {
  std::lock_guard lock(trackingLock_);
  return blockCount_;
}

std::size_t Memory::LiveRefCount() const {
  std::lock_guard lock(trackingLock_);
  return refCount_;
}

std::vector<const MemoryBlock*> Memory::LiveBlocks() const {
  std::lock_guard lock(trackingLock_);
  return SortedList<MemoryBlock>(blocks_, blockCount_);
}

std::vector<const MemoryBlockRef*> Memory::LiveRefs() const {
  std::lock_guard lock(trackingLock_);
  return SortedList<MemoryBlockRef>(refs_, refCount_);
}

void Memory::Track(MemoryBlock* block, MemoryBlockRef* ref) {
  std::lock_guard lock(trackingLock_);
  if (block != nullptr) {
    Link(blocks_, block);
    ++blockCount_;
  }
  if (ref != nullptr) {
    Link(refs_, ref);
    ++refCount_;
  }
}

// ---- creation

MemoryBlock* Memory::CreateOwnedBlock(Type* type, uint32_t size) {
  void* raw = chunks::Allocate(sizeof(MemoryBlock) + size);
  if (raw == nullptr) return nullptr;
  uint8_t* data = static_cast<uint8_t*>(raw) + sizeof(MemoryBlock);
  std::memset(data, 0, size);
  auto* block = new (raw) MemoryBlock(this, type, data, size, 0);
  if (type != nullptr && !type->IsPlainData()) constructHandler_.Visit(false, type, block, 0);
  return block;
}

MemoryBlock* Memory::CreateForeignBlock(Type* type, void* address, uint32_t size) {
  void* raw = chunks::Allocate(sizeof(MemoryBlock));
  if (raw == nullptr) return nullptr;
  return new (raw) MemoryBlock(this, type, static_cast<uint8_t*>(address), size, MemoryBlock::BLOCK_FOREIGN);
}

MemoryBlockRef* Memory::TrackWithRef(Type* type, MemoryBlock* block, uint32_t offset, bool newBlock) {
  MemoryBlockRef* ref = nullptr;
  if (void* raw = chunks::Allocate(sizeof(MemoryBlockRef))) ref = new (raw) MemoryBlockRef(this, type, block, offset);
  Track(newBlock ? block : nullptr, ref);
  if (ref == nullptr && block != nullptr) block->Release();
  return ref;
}

MemoryBlock* Memory::NewOwnedBlock(Type* type, uint32_t size) {
  MemoryBlock* block = CreateOwnedBlock(type, size);
  if (block != nullptr) Track(block, nullptr);
  return block;
}

MemoryBlock* Memory::NewForeignBlock(Type* type, void* address, uint32_t size) {
  MemoryBlock* block = CreateForeignBlock(type, address, size);
  if (block == nullptr) return nullptr;
  Track(block, nullptr);
  MapBlock(block);
  return block;
}

// ---- release

void MemoryBlock::Destroy(MemoryBlock* block) { Memory::Free(block, nullptr); }

void MemoryBlockRef::Destroy(MemoryBlockRef* ref) {
  MemoryBlock* block = ref->block_;
  MemoryBlock* dying = nullptr;
  if (block != nullptr && block->refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) dying = block;
  if (dying != nullptr && dying->heap_ != ref->heap_) {
    Memory::Free(dying, nullptr);
    dying = nullptr;
  }
  Memory::Free(dying, ref);
}

void Memory::Free(MemoryBlock* block, MemoryBlockRef* ref) {
  Memory* heap = block != nullptr ? block->heap_ : ref->heap_;
  if (heap != nullptr) {
    if (block != nullptr) {
      // Unmapped first, so that no lookup finds the block while it is destroyed.
      if (block->IsMapped()) heap->UnmapBlock(block);
      if (heap->destroyHandler_ != nullptr) heap->destroyHandler_->Visit(false, block->type_, block, 0);
    }
    std::lock_guard lock(heap->trackingLock_);
    if (block != nullptr) {
      Unlink(heap->blocks_, block);
      --heap->blockCount_;
    }
    if (ref != nullptr) {
      Unlink(heap->refs_, ref);
      --heap->refCount_;
    }
  }
  if (block != nullptr) {
    const std::size_t bytes = ChunkBytes(block);
    block->~MemoryBlock();
    chunks::Free(block, bytes);
  }
  if (ref != nullptr) {
    ref->~MemoryBlockRef();
    chunks::Free(ref, sizeof(MemoryBlockRef));
  }
}

void Memory::ReleaseLockedBlocks() {
  std::vector<MemoryBlock*> locked;
  {
    std::lock_guard lock(trackingLock_);
    for (MemoryBlock* block = blocks_; block != nullptr; block = block->next_) {
      if (block->IsLocked()) locked.push_back(block);
    }
  }
  // A pinned block stays alive until it is unpinned here, even when freeing
  // one listed before it releases it.
  for (MemoryBlock* block : locked) {
    block->AddRef();
    block->Unlock();
    block->Release();
  }
}

// ---- address map

void Memory::MapBlock(MemoryBlock* block) {
  std::lock_guard lock(addressLock_);
  if (block->IsMapped()) return;  // mapped by another thread meanwhile
  try {
    addressMap_.emplace(EndOf(block), block);
    block->flags_ |= MemoryBlock::BLOCK_MAPPED;
  } catch (const std::bad_alloc&) {
    // the block stays unmapped
  }
}

void Memory::UnmapBlock(MemoryBlock* block) {
  std::lock_guard lock(addressLock_);
  auto [first, last] = addressMap_.equal_range(EndOf(block));
  auto entry = std::find_if(first, last, [block](const auto& item) { return item.second == block; });
  if (entry != last) addressMap_.erase(entry);
  block->flags_ &= ~MemoryBlock::BLOCK_MAPPED;
}

void Memory::EnsureMapped(MemoryBlock* block) {
  // The flag is read under the lock: threads share blocks (globals).
  if (block != nullptr) MapBlock(block);
}

MemoryBlock* Memory::FindBlock(const void* address) {
  auto where = reinterpret_cast<uintptr_t>(address);
  std::lock_guard lock(addressLock_);
  auto entry = addressMap_.lower_bound(where);
  if (entry == addressMap_.end()) return nullptr;
  MemoryBlock* block = entry->second;
  if (StartOf(block) > where || !TryAddRef(block->refCount_)) return nullptr;
  return block;
}

MemoryBlock* Memory::FindHolder(const void* address, uint32_t size, uint32_t& offset) {
  MemoryBlock* found = FindBlock(address);
  if (found == nullptr) return nullptr;
  offset = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address) - StartOf(found));
  // A block that ends where the object begins (its end address matches) does
  // not hold it: the object lies in memory of its own beside the block.
  if (SlotFits(found, offset, size)) return found;
  found->Release();
  offset = 0;
  return nullptr;
}

MemoryBlock* Memory::ResolvePointer(Type* pointee, MemoryBlock* holder, uint32_t cellOffset,
                                    uint32_t& pointeeOffset) {
  pointeeOffset = 0;
  if (!HoldsCell(holder, cellOffset)) return nullptr;
  void* address = nullptr;
  std::memcpy(&address, holder->Data() + cellOffset, sizeof address);
  if (address == nullptr) return nullptr;
  if (MemoryBlock* found = FindHolder(address, SizeOf(pointee), pointeeOffset)) return found;
  MemoryBlock* foreign = NewForeignBlock(pointee, address, SizeOf(pointee));
  if (foreign != nullptr) foreign->AddRef();
  return foreign;
}

MemoryBlock* Memory::ResolveOrAllocatePointee(Type* pointee, MemoryBlock* holder, uint32_t cellOffset,
                                              uint32_t& pointeeOffset) {
  pointeeOffset = 0;
  if (!HoldsCell(holder, cellOffset)) return nullptr;
  uint8_t* cell = holder->Data() + cellOffset;
  void* address = nullptr;
  std::memcpy(&address, cell, sizeof address);
  if (address != nullptr) return ResolvePointer(pointee, holder, cellOffset, pointeeOffset);
  MemoryBlock* block = NewOwnedBlock(pointee, SizeOf(pointee));
  if (block == nullptr) return nullptr;
  MapBlock(block);
  block->AddRef();
  address = block->Data();
  std::memcpy(cell, &address, sizeof address);
  return block;
}

// ---- references

MemoryBlockRef* Memory::NewRef(Type* type, MemoryBlock* block, uint32_t offset) {
  if (block != nullptr) block->AddRef();
  return TrackWithRef(type, block, offset, false);
}

MemoryBlockRef* Memory::RefAtAddress(void* address, Type* type) {
  uint32_t offset = 0;
  // The lookup's count becomes the reference's.
  if (MemoryBlock* found = FindHolder(address, SizeOf(type), offset)) return TrackWithRef(type, found, offset, false);
  return WrapForeignRef(type, address, SizeOf(type));
}

MemoryBlockRef* Memory::NewOwnedRef(Type* type, uint32_t size) {
  return TrackWithRef(type, CreateOwnedBlock(type, size), 0, true);
}

MemoryBlockRef* Memory::WrapForeignRef(Type* type, void* address, uint32_t size) {
  MemoryBlock* block = CreateForeignBlock(type, address, size);
  MemoryBlockRef* ref = TrackWithRef(type, block, 0, true);
  if (block != nullptr && ref != nullptr) MapBlock(block);
  return ref;
}

// ---- leak reports

bool Memory::IsReported(const Type* type) const { return type == nullptr || !IsBuiltInType(type); }

void Memory::AppendTypeInfo(std::string& line, const Type* type) const {
  SourcePosition position = type != nullptr ? type->Position() : SourcePosition{};
  line += ", name: \"";
  if (symbols_ != nullptr && type != nullptr) line += symbols_->Symbol(position.symbol);
  line += "\", line: " + std::to_string(position.line) + ", pos: " + std::to_string(position.position);
}

void Memory::DumpLeaks() const {
  if (sink_ == nullptr) return;
  const std::string stars(40, '*');
  sink_->Print(CHANNEL_RUN, "\n\n**** Leaked Memory Block References ****\n");
  std::lock_guard lock(trackingLock_);

  bool listed = false;
  for (const MemoryBlockRef* ref : SortedList<MemoryBlockRef>(refs_, refCount_)) {
    const Type* type = ref->block_ != nullptr ? ref->block_->type_ : ref->type_;
    if (!IsReported(type)) continue;
    std::string line = "0x" + Hex16(ref);
    AppendTypeInfo(line, type);
    line += ", memBlock: 0x" + Hex16(ref->block_) + ", refCount: " + std::to_string(ref->RefCount());
    sink_->Print(CHANNEL_RUN, line);
    listed = true;
  }
  if (!listed) sink_->Print(CHANNEL_RUN, "NONE");
  sink_->Print(CHANNEL_RUN, stars);

  sink_->Print(CHANNEL_RUN, "**** Leaked Memory Blocks ****");
  listed = false;
  for (const MemoryBlock* block : SortedList<MemoryBlock>(blocks_, blockCount_)) {
    // A locked block is listed whatever its type: lock pinned it, and only
    // unlock or the program's end lets it go.
    if (!IsReported(block->type_) && !block->IsLocked()) continue;
    std::string line = "0x" + Hex16(block);
    AppendTypeInfo(line, block->type_);
    line += ", size: " + std::to_string(block->size_) + ", refCount: " + std::to_string(block->Holders());
    if (block->IsLocked()) line += " , LOCKED";
    sink_->Print(CHANNEL_RUN, line);
    listed = true;
  }
  if (!listed) sink_->Print(CHANNEL_RUN, "NONE");
  sink_->Print(CHANNEL_RUN, stars);
}

void Memory::DumpLeakedObjects() const {
  if (sink_ == nullptr) return;
  sink_->Print(CHANNEL_RUN, "\n\n**** Leaked Objects ****\n");
  std::vector<const Runable*> live = LiveNodes();
  if (live.empty()) sink_->Print(CHANNEL_RUN, "NONE\n");
  for (const Runable* node : live) {
    const SourcePosition& position = node->Position();
    std::string line = Hex16(node) + " ";
    if (symbols_ != nullptr) line += symbols_->Symbol(position.symbol);
    line += " (l:" + std::to_string(position.line) + ", p:" + std::to_string(position.position) +
            ") : " + NodeTypeName(node->TypeId());
    sink_->Print(CHANNEL_RUN, line);
  }
  sink_->Print(CHANNEL_RUN, "************************\n");
}

}  // namespace script
