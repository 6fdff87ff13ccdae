# bash completion for kanatsumugi-cli

_kanatsumugi_cli() {
    local cur prev words cword
    _init_completion -n = || return

    case $prev in
        -n | -l | --at | --kana | --morae | --starts-with | --not-starts-with | --ends-with | \
            --not-ends-with | --contains | --without)
            case $prev in
                -l) COMPREPLY=($(compgen -W '2 3 4 5 6 7 8' -- "$cur")) ;;
                --kana) COMPREPLY=($(compgen -W '2 3 4 5 6 7 8 9 2-4 3-5 5-9' -- "$cur")) ;;
                --morae) COMPREPLY=($(compgen -W '2 3 4 5 6 7 8 2-4 3-5 5-8' -- "$cur")) ;;
            esac
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'plain tsv csv jsonl' -- "$cur"))
            return
            ;;
        --encoding)
            COMPREPLY=($(compgen -W 'utf-8 utf-8-bom cp932' -- "$cur"))
            return
            ;;
        --stock-file)
            _filedir txt
            return
            ;;
        --blocklist)
            _filedir
            return
            ;;
        --natural)
            COMPREPLY=($(compgen -W 'low mid high max' -- "$cur"))
            return
            ;;
    esac

    case $cur in
        --format=*)
            COMPREPLY=($(compgen -W 'plain tsv csv jsonl' -- "${cur#*=}"))
            return
            ;;
        --encoding=*)
            COMPREPLY=($(compgen -W 'utf-8 utf-8-bom cp932' -- "${cur#*=}"))
            return
            ;;
        --romaji=*)
            COMPREPLY=($(compgen -W 'hepburn ascii' -- "${cur#*=}"))
            return
            ;;
        --stock-file=*)
            cur=${cur#*=}
            _filedir txt
            return
            ;;
        --blocklist=*)
            cur=${cur#*=}
            _filedir
            return
            ;;
        --natural=*)
            COMPREPLY=($(compgen -W 'low mid high max' -- "${cur#*=}"))
            return
            ;;
    esac

    COMPREPLY=($(compgen -W '-n -l --at --spread --kana --morae --starts-with --not-starts-with
        --ends-with --not-ends-with --contains --without --exclude-stock --stock --stock-file
        --natural --new-words --polite --blocklist --rate --unique --romaji --romaji=ascii --format --encoding -h --help' -- "$cur"))
} &&
    complete -F _kanatsumugi_cli kanatsumugi-cli
