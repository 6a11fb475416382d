#include "report/TableText.h"

#include "HostErrors.h"

#include "com/Error.h"

#include <QStringList>

namespace host {

namespace {

const QString kSource = QStringLiteral("Nelvar.Report");

[[noreturn]] void raiseMalformedColumn(const QString& piece)
{
    errors::raise(com::errInvalidCall, kSource, QStringLiteral("the table column \"%1\" is not valid").arg(piece));
}

TableColumn parseColumn(const QString& piece)
{
    TableColumn column;
    qsizetype position = 0;
    for (; position < piece.size() && !piece[position].isDigit(); ++position) {
        switch (piece[position].unicode()) {
        case '<':
            column.alignment = TableColumn::Alignment::Left;
            break;
        case '^':
            column.alignment = TableColumn::Alignment::Centre;
            break;
        case '>':
            column.alignment = TableColumn::Alignment::Right;
            break;
        case '+':
            column.singleLine = true;
            break;
        case '!':
            column.ruleBefore = true;
            break;
        default:
            raiseMalformedColumn(piece);
        }
    }
    bool isNumber = false;
    column.width = piece.mid(position).toInt(&isNumber);
    if (!isNumber || column.width < 0)
        raiseMalformedColumn(piece);
    return column;
}

// The text of a cell without its markup, with the styles the markup gave any of it.
TableCell parseCell(const QString& source)
{
    TableCell cell;
    struct Style {
        bool bold = false;
        bool italic = false;
    };
    std::vector<Style> groups{Style{}};
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        if (c == QLatin1Char('{')) {
            groups.push_back(groups.back());
        } else if (c == QLatin1Char('}')) {
            if (groups.size() > 1)
                groups.pop_back();
        } else if (c == QLatin1Char('\\') && i + 1 < source.size() && source[i + 1].isLetter()) {
            qsizetype end = i + 1;
            while (end < source.size() && source[end].isLetter())
                ++end;
            const QString word = source.mid(i + 1, end - i - 1);
            const bool off = end < source.size() && source[end] == QLatin1Char('0');
            if (off)
                ++end;
            if (word == QLatin1String("b"))
                groups.back().bold = !off;
            else if (word == QLatin1String("i"))
                groups.back().italic = !off;
            if (end < source.size() && source[end] == QLatin1Char(' '))
                ++end;
            i = end - 1;
        } else {
            cell.text += c;
            if (!c.isSpace()) {
                cell.bold = cell.bold || groups.back().bold;
                cell.italic = cell.italic || groups.back().italic;
            }
        }
    }
    return cell;
}

} // namespace

std::vector<TableColumn> parseColumnFormat(const QString& format)
{
    QString pieces = format.trimmed();
    if (pieces.endsWith(QLatin1Char(';')))
        pieces.chop(1);
    std::vector<TableColumn> columns;
    if (pieces.isEmpty())
        return columns;
    for (const QString& piece : pieces.split(QLatin1Char('|')))
        columns.push_back(parseColumn(piece.trimmed()));
    return columns;
}

std::vector<TableRow> parseTableRows(const QString& text)
{
    QStringList rowTexts = text.split(QLatin1Char(';'));
    if (rowTexts.last().trimmed().isEmpty())
        rowTexts.removeLast();
    std::vector<TableRow> rows;
    for (const QString& rowText : rowTexts) {
        TableRow row;
        for (const QString& cellText : rowText.split(QLatin1Char('|')))
            row.push_back(parseCell(cellText));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace host
