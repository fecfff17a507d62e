#!/usr/bin/env bash
# The README's line for hosts reachable by ssh, run as it stands: GNU parallel
# sends the shards to two hosts (two names for a private sshd on 127.0.0.1 with
# throwaway keys), the merge follows, and the result must be the very files of
# one run over the same sheets.
#
#   tiles_shards_ssh.sh VESK_CLI WORK_DIR
set -euo pipefail
cli=$(readlink -f "$1")
work=$2
skip() {
  echo "skipped: $*"
  exit 77
}
command -v parallel >/dev/null 2>&1 || skip "GNU parallel is not installed (Debian package parallel)"
[ -x /usr/sbin/sshd ] || skip "sshd is not installed (Debian package openssh-server)"

rm -rf "$work"
mkdir -p "$work/in" "$work/ssh"
ssh_dir=$(readlink -f "$work/ssh")
sshd_pid=""
stop_sshd() {
  if [ -n "$sshd_pid" ]; then
    kill "$sshd_pid" 2>/dev/null || true
    wait "$sshd_pid" 2>/dev/null || true
  fi
}
trap stop_sshd EXIT

# Root's sshd wants its privilege separation folder, which only a booted
# system's service manager makes.
if [ "$(id -u)" -eq 0 ]; then
  mkdir -p /run/sshd
  chmod 755 /run/sshd
fi
ssh-keygen -q -t ed25519 -N '' -f "$ssh_dir/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$ssh_dir/user_key"
cp "$ssh_dir/user_key.pub" "$ssh_dir/authorized_keys"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
user=$(id -un)

cat >"$ssh_dir/sshd_config" <<EOF
ListenAddress 127.0.0.1
Port $port
HostKey $ssh_dir/host_key
PidFile $ssh_dir/sshd.pid
AuthorizedKeysFile $ssh_dir/authorized_keys
AllowUsers $user
PermitRootLogin prohibit-password
StrictModes no
UsePAM no
PasswordAuthentication no
KbdInteractiveAuthentication no
EOF
cat >"$ssh_dir/config" <<EOF
Host hostA hostB
  HostName 127.0.0.1
  Port $port
  User $user
  IdentityFile $ssh_dir/user_key
  IdentitiesOnly yes
  BatchMode yes
  StrictHostKeyChecking no
  UserKnownHostsFile /dev/null
  LogLevel ERROR
EOF

/usr/sbin/sshd -D -e -f "$ssh_dir/sshd_config" 2>"$ssh_dir/sshd.log" &
sshd_pid=$!
ssh_to() { ssh -F "$ssh_dir/config" "$@"; }
for _ in $(seq 100); do
  ssh_to hostA true 2>/dev/null && break
  kill -0 "$sshd_pid" 2>/dev/null || skip "sshd cannot start here: $(tail -n 1 "$ssh_dir/sshd.log")"
  sleep 0.1
done
ssh_to hostB true || skip "sshd on 127.0.0.1:$port does not take logins: $(tail -n 1 "$ssh_dir/sshd.log")"

# Eight sheets, two of them in zone 7.
for i in 0 1 2 3 4 5; do
  "$cli" sample "$work/in/sheet$i.tqb" --origin "$((i * 2000 - 8000)),-36000" --seed "$i" \
    --buildings 8 --dem 9x7 --texture 32 >/dev/null
done
for i in 0 1; do
  "$cli" sample "$work/in/kanazawa$i.tqb" --zone 7 --origin "$((60000 + i * 2000)),-40000" \
    --buildings 8 --dem 9x7 --texture 32 >/dev/null
done
in=$(readlink -f "$work/in")
out=$(readlink -f "$work")/sharded
mkdir -p "$work/reports"
reports=$(readlink -f "$work/reports")

"$cli" tiles "$in" --out "$work/one" --quiet >/dev/null
parallel --will-cite --ssh "ssh -F $ssh_dir/config" -S 1/hostA,1/hostB --halt never \
  --joblog "$work/joblog" \
  "$cli" tiles "$in" --out "$out" --quiet --jobs 1 \
  --report "$reports/shard-{}.json" --shard {}/4 ::: 0 1 2 3 >/dev/null
"$cli" tiles --merge "$out"

diff -r "$work/one" "$out"
hosts=$(awk 'NR > 1 && $7 == 0 { print $2 }' "$work/joblog" | sort -u | paste -sd ' ')
sheets=$(find "$out/sheets" -name tileset.json | wc -l)
echo "4 shards over ssh on $hosts and a merge give the files of one run: $sheets sheets"
[ "$hosts" = "hostA hostB" ] && [ "$sheets" -eq 8 ] && [ "$(ls "$reports" | wc -l)" -eq 4 ]
