#!/usr/bin/env bash
# Checks render-farm.sh --slurm end to end on this machine: starts a one-node
# Slurm cluster (munge, slurmctld, slurmd) from a configuration generated in a
# temporary folder, renders a short stretch of the show in 4 segments as PNG
# frames through it, and compares them byte for byte with the one-process
# render. Every daemon it started is stopped and its files removed, whatever
# happens. Needs root (it installs slurm-wlm and munge when they are missing)
# and takes a few minutes; it builds velmira-tool first when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

[ "$(id -u)" -eq 0 ] || { echo "slurm-check: run me as root" >&2; exit 1; }
needed=(slurm-wlm munge parallel xvfb xauth)
missing=()
for package in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "slurm-check: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
fi
tool="$root/build/tools/velmira-tool"
if [ ! -x "$tool" ]; then
  scripts/deps.sh
  scripts/configure.sh > /dev/null
  cmake --build build --target velmira-tool show_data
fi
show="$root/build/velmira-show"

work="$(mktemp -d /tmp/velmira-slurm-check.XXXXXX)"
pids=()
stop() {
  for ((i = ${#pids[@]} - 1; i >= 0; --i)); do
    kill "${pids[i]}" 2> /dev/null || true
    wait "${pids[i]}" 2> /dev/null || true
  done
  rm -rf "$work"
}
trap stop EXIT

node=velmira-check
host="$(hostname -s)"
mkdir -p "$work"/{munge,state,spool,log,render}
chmod 700 "$work/munge"
dd if=/dev/urandom of="$work/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$work/munge/munge.key"
munged --force --foreground --key-file="$work/munge/munge.key" \
  --socket="$work/munge/socket" --pid-file="$work/munge/pid" \
  --seed-file="$work/munge/seed" --log-file="$work/log/munged.log" > /dev/null 2>&1 &
pids+=($!)

cat > "$work/slurm.conf" << EOF
ClusterName=velmiracheck
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=16817
SlurmdPort=16818
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$work/munge/socket
CredType=cred/munge
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/log/slurmctld.log
SlurmdLogFile=$work/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
MpiDefault=none
ReturnToService=2
MinJobAge=600
NodeName=$node NodeAddr=127.0.0.1 NodeHostname=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=check Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
export SLURM_CONF="$work/slurm.conf"
for _ in $(seq 50); do [ -S "$work/munge/socket" ] && break; sleep 0.2; done
slurmctld -D -i -f "$SLURM_CONF" > /dev/null 2>&1 &
pids+=($!)
slurmd -D -N "$node" -f "$SLURM_CONF" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 60); do
  sinfo -h -N -o '%T' 2> /dev/null | grep -q idle && break
  sleep 1
done
sinfo -h -N -o '%T' | grep -q idle || {
  tail -n 20 "$work"/log/*.log >&2
  echo "slurm-check: the node never became idle" >&2
  exit 1
}
echo "slurm-check: one-node cluster up" >&2

cd "$work/render"
range=(--show "$show" --size 96x54 --from 97 --to 99 --fps 10)
xvfb-run -a "$tool" render "${range[@]}" -o straight/f%03d.png
unset DISPLAY
"$root/scripts/render-farm.sh" --slurm --segments 4 --tool "$tool" "${range[@]}" -o farm/f%03d.png
if diff -r straight farm > /dev/null && [ "$(ls farm | wc -l)" -eq 20 ]; then
  echo "slurm-check: passed: 20 frames in 4 Slurm tasks equal the one-process render" >&2
else
  echo "slurm-check: FAILED: the frames differ from the one-process render" >&2
  exit 1
fi
