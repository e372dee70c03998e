# bash completion for vexa-connect-cli: its commands, options and their values, and the files they read.

_vexa_connect_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="scan memories download online open evaluate clock info diagnostics"
    local command="" word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case " $commands " in *" $word "*) command=$word; break ;; esac
    done

    case $prev in
    --simulate)
        COMPREPLY=($(compgen -f -X '!*.json' -- "$cur") $(compgen -d -- "$cur"))
        return ;;
    -o)
        COMPREPLY=($(compgen -f -- "$cur"))
        return ;;
    --lang)
        COMPREPLY=($(compgen -W "de en" -- "$cur"))
        return ;;
    --format)
        case $command in
        download) COMPREPLY=($(compgen -W "json mes report csv xlsx docx pdf" -- "$cur")) ;;
        online) COMPREPLY=($(compgen -W "csv json report xlsx docx pdf" -- "$cur")) ;;
        open) COMPREPLY=($(compgen -W "json csv" -- "$cur")) ;;
        info | evaluate) COMPREPLY=($(compgen -W "json" -- "$cur")) ;;
        *) COMPREPLY=($(compgen -W "json mes report csv xlsx docx pdf" -- "$cur")) ;;
        esac
        return ;;
    --rule)
        COMPREPLY=($(compgen -W "iso19840 pspc9010 sspc-pa2 weld" -- "$cur"))
        return ;;
    --file)
        COMPREPLY=($(compgen -f -X '!*.[mM][eE][sS]' -- "$cur") $(compgen -d -- "$cur"))
        return ;;
    --adapter)
        # Connections show there too, as hci0:64.
        COMPREPLY=($(compgen -W "$(ls /sys/class/bluetooth 2>/dev/null | grep -v :)" -- "$cur"))
        return ;;
    --device | --limits | --count | --model | --param | --online)
        return ;;
    esac

    if [[ $cur == -* ]]; then
        local options="--simulate --device --adapter --lang --limits --help --version"
        case $command in
        diagnostics) options="--lang --help --version" ;;
        download) options+=" --format -o --no-chart --rule --param" ;;
        evaluate) options+=" --online --file --model --rule --param --format" ;;
        online) options+=" --count --format -o --no-chart" ;;
        open) options+=" --model --format -o" ;;
        info) options+=" --format" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    case $command in
    "") COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
    clock) [[ $prev == clock ]] && COMPREPLY=($(compgen -W "set" -- "$cur")) ;;
    open) [[ $prev == open ]] && COMPREPLY=($(compgen -f -X '!*.[mM][eE][sS]' -- "$cur") $(compgen -d -- "$cur")) ;;
    esac
}

complete -o filenames -F _vexa_connect_cli vexa-connect-cli
