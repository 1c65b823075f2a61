# bash completion for kiremo-cli
_kiremo_cli() {
  local cur prev words cword
  _init_completion || return

  local i command="" sub=""
  for ((i = 1; i < cword; i++)); do
    case "${words[i]}" in
      --folder) ((i++)) ;;
      -*) ;;
      *)
        if [[ -z $command ]]; then
          command="${words[i]}"
        elif [[ $command == plan && -z $sub ]]; then
          sub="${words[i]}"
        fi
        ;;
    esac
  done

  case "$prev" in
    --folder)
      _filedir -d
      return ;;
    import-pages)
      # The folder, unless an option is being typed.
      if [[ $cur != -* ]]; then
        _filedir -d
        return
      fi ;;
    --save)
      _filedir dkf
      return ;;
    --friend)
      _filedir dkf
      return ;;
    --sort)
      # Keys separated by commas: complete the last one.
      local keys_before="${cur%"${cur##*,}"}"
      COMPREPLY=($(compgen -P "$keys_before" -W 'days gaps late early walks lunch streak friends' -- "${cur##*,}"))
      return ;;
    --course | --teacher | --hours | --free-days | --avoid | --mine | --lock | --exclude | --busy | --apply | --department | --timeout | --term-start | --weeks)
      return ;;
  esac

  if [[ -z $command ]]; then
    COMPREPLY=($(compgen -W 'init update departments courses sections generate plan import-pages cut-page help
      --folder --help --version' -- "$cur"))
    return
  fi

  local options=""
  case "$command" in
    init | departments | courses | cut-page | import-pages) options="--json" ;;
    update) options="--department --timeout" ;;
    sections) options="--mine --all --json" ;;
    generate) options="--course --teacher --hours --free-days --avoid --mine --all --lock --exclude --busy --sort --friend --time-limit --metrics --json --apply --save" ;;
    plan)
      case "$sub" in
        "")
          COMPREPLY=($(compgen -W 'show crns check export compare free' -- "$cur"))
          return ;;
        show) options="--json --friend" ;;
        check | compare | free) options="--json" ;;
        crns) options="--script" ;;
        export) options="--term-start --weeks" ;;
      esac
      if [[ $cur != -* ]]; then
        _filedir '@(dkf|xlsx|ics)'
        return
      fi ;;
    cut-page) ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  elif [[ $command == cut-page ]]; then
    _filedir
  fi
}
complete -F _kiremo_cli kiremo-cli
