#include "worker_registry.h"

#include <memory>
#include <mutex>

namespace quor {
namespace {

std::mutex g_mutex;
std::unique_ptr<Worker> g_read, g_sound;

bool IsMember(const Worker* worker, const WorkerClient& client) {
  return worker && client.mutex;
}

}  // namespace

bool JoinWorker(WorkerKind kind, WorkerClient& client, PriorityProc priority, ServeProc serve) {
  std::lock_guard lock(g_mutex);
  std::unique_ptr<Worker>& worker = kind == WorkerKind::kRead ? g_read : g_sound;
  const bool fresh = !worker;
  if (fresh) {
    worker = Worker::Create(kind == WorkerKind::kRead ? 5 : 20);
    if (!worker) return false;
  }
  worker->Register(client, priority, serve);
  if (fresh) worker->Start();
  return true;
}

void LeaveWorkers(WorkerClient& read, WorkerClient& sound) {
  std::lock_guard lock(g_mutex);
  Worker* readWorker = IsMember(g_read.get(), read) ? g_read.get() : nullptr;
  Worker* soundWorker = IsMember(g_sound.get(), sound) ? g_sound.get() : nullptr;
  const unsigned ended = UnregisterClients(readWorker, read, soundWorker, sound);
  if (ended & 1) g_read.reset();
  if (ended & 2) g_sound.reset();
}

unsigned WorkerClients(WorkerKind kind) {
  std::lock_guard lock(g_mutex);
  const Worker* worker = kind == WorkerKind::kRead ? g_read.get() : g_sound.get();
  return worker ? worker->ClientCount() : 0;
}

}  // namespace quor
