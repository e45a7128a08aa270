// The process's two workers: one read worker and one sound worker, created with the first movie
// that needs them and ended with the last.
#pragma once

#include "worker.h"

namespace quor {

enum class WorkerKind { kRead, kSound };

// Registers `client` with the worker of that kind, creating and starting the worker if none
// exists. Returns false (the client stays unregistered) when no thread can be created.
bool JoinWorker(WorkerKind kind, WorkerClient& client, PriorityProc priority, ServeProc serve);
// Unregisters both of a movie's clients (each may be unregistered already).
void LeaveWorkers(WorkerClient& read, WorkerClient& sound);
// For tests: whether a worker of that kind exists, and how many clients it serves.
unsigned WorkerClients(WorkerKind kind);

}  // namespace quor
