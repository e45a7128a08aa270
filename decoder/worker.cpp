#include "worker.h"

#include <array>
#include <chrono>

namespace quor {

void LockClient(WorkerClient& c) {
  if (c.mutex) c.mutex->lock();
}
bool TryLockClient(WorkerClient& c) { return !c.mutex || c.mutex->try_lock(); }
void UnlockClient(WorkerClient& c) {
  if (c.mutex) c.mutex->unlock();
}

void LockBothClients(WorkerClient& read, WorkerClient& sound) {
  if (read.mutex && sound.mutex)
    std::lock(*read.mutex, *sound.mutex);
  else {
    LockClient(read);
    LockClient(sound);
  }
}

void UnlockBothClients(WorkerClient& read, WorkerClient& sound) {
  UnlockClient(sound);
  UnlockClient(read);
}

Worker::Worker(uint32_t rate, Token) : periodMs_(rate ? 1000 / rate : 1000) {}

std::unique_ptr<Worker> Worker::Create(uint32_t rate) {
  auto worker = std::make_unique<Worker>(rate, Token{});
  try {
    worker->thread_ = std::thread([w = worker.get()] { w->Run(); });
  } catch (const std::system_error&) {
    return nullptr;
  }
  return worker;
}

Worker::~Worker() {
  if (thread_.joinable()) Shutdown();
}

void Worker::Start() {
  const int previous = state_.exchange(kRunning);
  if (previous == kCreated) {
    std::lock_guard lock(wakeMutex_);
    resumed_ = true;
    wakeCondition_.notify_all();
  } else if (previous == kPaused) {
    workerMutex_.unlock();
  }
}

void Worker::Pause() {
  state_ = kPausing;
  workerMutex_.lock();
  state_ = kPaused;
}

void Worker::Register(WorkerClient& client, PriorityProc priority, ServeProc serve) {
  client.mutex = std::make_unique<std::recursive_mutex>();
  client.priorityProc = priority;
  client.serveProc = serve;
  client.lastTick = 0;
  // The list is walked by the thread during a pass, so it changes only between passes.
  std::lock_guard pass(workerMutex_);
  client.next = clients_;
  clients_ = &client;
  ++clientCount_;
}

void Worker::Unlink(WorkerClient& client) {
  for (WorkerClient** p = &clients_; *p; p = &(*p)->next) {
    if (*p == &client) {
      *p = client.next;
      client.next = nullptr;
      --clientCount_;
      return;
    }
  }
}

void Worker::Shutdown() {
  const int previous = state_.exchange(kQuitting);
  {
    std::lock_guard lock(wakeMutex_);
    woken_ = true;
    resumed_ = true;
    wakeCondition_.notify_all();
  }
  if (previous == kPaused) workerMutex_.unlock();
  if (thread_.joinable()) thread_.join();
}

bool Worker::ServeOne() {
  // Order the clients by descending priority; a client goes before earlier-placed clients of
  // equal priority.
  WorkerClient* order = nullptr;
  const uint32_t tick = tick_;
  for (WorkerClient* c = clients_; c; c = c->next) {
    if (state_ != kRunning) return false;
    c->priority = c->priorityProc(*c, tick);
    if (c->priority == 0) continue;
    WorkerClient** p = &order;
    while (*p && (*p)->priority > c->priority) p = &(*p)->nextInPass;
    c->nextInPass = *p;
    *p = c;
  }
  if (!order) return false;
  // The first free mutex among the first 16 wins; busy clients are skipped, never waited for.
  int tried = 0;
  for (WorkerClient* c = order; c && tried < 16; c = c->nextInPass, ++tried) {
    if (c->mutex && c->mutex->try_lock()) {
      c->serveProc(*c, tick);
      c->mutex->unlock();
      return true;
    }
  }
  std::this_thread::yield();
  return true;
}

void Worker::Run() {
  {
    std::unique_lock lock(wakeMutex_);
    wakeCondition_.wait(lock, [this] { return resumed_; });
  }
  for (;;) {
    {
      std::unique_lock lock(wakeMutex_);
      if (wakeCondition_.wait_for(lock, std::chrono::milliseconds(periodMs_), [this] { return woken_; }))
        return;
    }
    std::lock_guard pass(workerMutex_);
    if (state_ == kQuitting) return;
    if (state_ != kRunning || !clients_) continue;
    ++tick_;
    while (ServeOne()) {
    }
  }
}

unsigned UnregisterClients(Worker* readWorker, WorkerClient& read, Worker* soundWorker,
                           WorkerClient& sound) {
  unsigned shutDown = 0;
  std::array<std::pair<Worker*, WorkerClient*>, 2> pairs{{{readWorker, &read}, {soundWorker, &sound}}};
  for (auto& [worker, client] : pairs) {
    if (!worker) continue;
    bool member = false;
    for (WorkerClient* c = worker->clients_; c; c = c->next) member |= (c == client);
    if (!member) {
      worker = nullptr;
      continue;
    }
    worker->Pause();
  }
  for (size_t i = 0; i < pairs.size(); ++i) {
    auto [worker, client] = pairs[i];
    if (!worker) continue;
    worker->Unlink(*client);
    if (worker->clientCount_ == 0) {
      worker->Shutdown();
      shutDown |= 1u << i;
    } else {
      worker->Start();
    }
  }
  read.mutex.reset();
  sound.mutex.reset();
  return shutDown;
}

}  // namespace quor
