# bash completion for kanatsumugi-cli

_kanatsumugi_cli() {
    local cur prev words cword
    _init_completion -n = || return

    case $prev in
        -n | -l | --at | --kana | --starts-with | --ends-with | --contains | --without)
            case $prev in
                -l) COMPREPLY=($(compgen -W '2 3 4 5 6 7 8' -- "$cur")) ;;
                --kana) COMPREPLY=($(compgen -W '2 3 4 5 6 7 8 9 2-4 3-5 5-9' -- "$cur")) ;;
            esac
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'plain tsv csv jsonl' -- "$cur"))
            return
            ;;
        --encoding)
            COMPREPLY=($(compgen -W 'utf-8 cp932' -- "$cur"))
            return
            ;;
        --exclude-stock)
            if [[ $cur != -* ]]; then
                _filedir txt
                return
            fi
            ;;
    esac

    case $cur in
        --format=*)
            COMPREPLY=($(compgen -W 'plain tsv csv jsonl' -- "${cur#*=}"))
            return
            ;;
        --encoding=*)
            COMPREPLY=($(compgen -W 'utf-8 cp932' -- "${cur#*=}"))
            return
            ;;
        --romaji=*)
            COMPREPLY=($(compgen -W 'hepburn ascii' -- "${cur#*=}"))
            return
            ;;
        --exclude-stock=*)
            cur=${cur#*=}
            _filedir txt
            return
            ;;
    esac

    COMPREPLY=($(compgen -W '-n -l --at --kana --starts-with --ends-with --contains
        --without --exclude-stock --unique --romaji --romaji=ascii --format --encoding
        --help' -- "$cur"))
} &&
    complete -F _kanatsumugi_cli kanatsumugi-cli
