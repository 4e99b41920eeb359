#!/usr/bin/env bash
# Starts or stops the MariaDB server of the test suite: its own data directory in the build
# tree, listening on 127.0.0.1 only, root without password.
#   mariadb-test-server.sh start|stop DIR PORT
set -euo pipefail
action=$1 dir=$2 port=$3
data=$dir/data sock=$dir/mysqld.sock pidfile=$dir/mysqld.pid log=$dir/mysqld.log

ping() { mariadb-admin --protocol=tcp -h127.0.0.1 -P"$port" -uroot ping >/dev/null 2>&1; }

case $action in
start)
  if ping; then exit 0; fi
  mkdir -p "$dir"
  if [ ! -d "$data/mysql" ]; then
    rm -rf "$data"
    mariadb-install-db --user=root --datadir="$data" --auth-root-authentication-method=normal \
      --skip-test-db >"$dir/install.log" 2>&1 || { cat "$dir/install.log" >&2; exit 1; }
  fi
  # setsid: the server must outlive this CTest step and keep no pipe of it open.
  setsid mariadbd --no-defaults --user=root --datadir="$data" --socket="$sock" --port="$port" \
    --bind-address=127.0.0.1 --pid-file="$pidfile" --log-error="$log" \
    --innodb-buffer-pool-size=256M --innodb-flush-log-at-trx-commit=2 --skip-log-bin \
    --max-connections=200 </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 120); do
    if ping; then exit 0; fi
    sleep 0.5
  done
  echo "MariaDB test server did not start on 127.0.0.1:$port" >&2
  tail -n 30 "$log" >&2 || true
  exit 1
  ;;
stop)
  ping && mariadb-admin --protocol=tcp -h127.0.0.1 -P"$port" -uroot shutdown || true
  ;;
*)
  echo "usage: $0 start|stop DIR PORT" >&2; exit 2 ;;
esac
