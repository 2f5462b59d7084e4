# The service step of tools/run.sh, sourced by it (and by its test):
#
#   local_service_start PROGRAM_FOLDER STANDIN   # before the program starts
#   local_service_stop                           # when it has ended
#   local_service_answers URL                    # whether a service listens there
#
# Without a service configuration of the user's own in the program folder, the
# start runs the stand-in document service (tabro_standin) on a free local port;
# it writes its marked settings files there, and LOCAL_SERVICE_PID and
# LOCAL_SERVICE_URL tell where it runs. With one (TabroDeployment.ini or
# TabroSystem.ini not written by the stand-in, or TabroSystemOnpremises.ini),
# nothing is started or written and LOCAL_SERVICE_PID stays empty. Either way
# one line says where documents come from. Returns 1 when the stand-in failed.

LOCAL_SERVICE_PID="" LOCAL_SERVICE_URL="" LOCAL_SERVICE_LOG=""

local_service_start() {
  local folder=$1 standin=$2 pid status
  LOCAL_SERVICE_LOG=$(mktemp)
  "$standin" --program-folder "$folder" >"$LOCAL_SERVICE_LOG" 2>&1 &
  pid=$!
  # Ready once it says how to start the program; 3 is the user's own configuration.
  for _ in $(seq 100); do
    if grep -q '^start TabroConnect' "$LOCAL_SERVICE_LOG"; then
      LOCAL_SERVICE_PID=$pid
      LOCAL_SERVICE_URL=$(sed -n 's/^stand-in document service at //p' "$LOCAL_SERVICE_LOG")
      echo "Documents come from the local stand-in service ($LOCAL_SERVICE_URL, for this run only);" \
           "for a real service, write its address as ServerBaseUrl= into $folder/TabroDeployment.ini" \
           "(README: \"The document service\")."
      return 0
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
      status=0
      wait "$pid" || status=$?
      if [ "$status" -eq 3 ]; then
        cat "$LOCAL_SERVICE_LOG"
        rm -f "$LOCAL_SERVICE_LOG"
        return 0
      fi
      break
    fi
    sleep 0.1
  done
  echo "the local stand-in service did not start:" >&2
  cat "$LOCAL_SERVICE_LOG" >&2
  kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
  rm -f "$LOCAL_SERVICE_LOG"
  return 1
}

# Whether something accepts connections at an http://HOST:PORT URL.
local_service_answers() {
  local hostport=${1#http://}
  hostport=${hostport%%/*}
  (exec 3<>"/dev/tcp/${hostport%:*}/${hostport##*:}") 2>/dev/null
}

# Stops the stand-in (it removes its settings files as it goes) and waits for it.
local_service_stop() {
  if [ -n "$LOCAL_SERVICE_PID" ]; then
    kill "$LOCAL_SERVICE_PID" 2>/dev/null || true
    wait "$LOCAL_SERVICE_PID" 2>/dev/null || true
  fi
  LOCAL_SERVICE_PID=""
  [ -n "$LOCAL_SERVICE_LOG" ] && rm -f "$LOCAL_SERVICE_LOG"
  LOCAL_SERVICE_LOG=""
  return 0
}
