// The process rights of the capability helper: a process nobody can attach to or redirect, that
// holds CAP_NET_ADMIN only in its permitted set and makes it effective just for the ioctls.
#pragma once

namespace zorvex::rfcomm {

// No new privileges for anything this process could start, no core dump and no ptrace by its user,
// and standard descriptors that are open (on /dev/null if they were not), so that the control
// socket can never be one of them. Returns 0 or an errno value.
int HardenProcess();
// Drops every capability from the permitted, effective and inheritable sets except CAP_NET_ADMIN
// in the permitted set (where it is only if the file or root gave it). Returns 0 or an errno value.
int KeepOnlyNetAdminPermitted();
// CAP_NET_ADMIN effective (when permitted; otherwise the kernel will refuse the ioctl) and back.
// Lowering cannot fail in practice; if it does, the process ends at once with status 1.
void RaiseNetAdmin();
void LowerNetAdmin();

} // namespace zorvex::rfcomm
