#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

// An amount in reais, held exactly as whole centavos. Amounts are added, subtracted and
// compared exactly; a rate (fine, interest, discount) is applied with one rounding at the end,
// half away from zero at the centavo, so a printed total always equals the sum of its lines.
namespace core {

class Money
{
public:
    constexpr Money() = default;

    static constexpr Money fromCentavos(qint64 centavos) { return Money(centavos); }
    // Rounds half away from zero at the centavo, on the value as typed (15 significant digits):
    // 2.675 becomes 2,68, not the 2,67 its binary neighbour would give.
    static Money fromDouble(double value);
    // "1.234,56", "-3,5", "10" (pt-BR, thousands points optional); more than two decimals
    // round to the centavo. nullopt for anything else.
    static std::optional<Money> parse(const QString &text);

    constexpr qint64 centavos() const { return m_centavos; }
    double toDouble() const { return double(m_centavos) / 100.0; }
    constexpr bool isZero() const { return m_centavos == 0; }
    constexpr bool isNegative() const { return m_centavos < 0; }

    // With a display mask; "###,##0.00" unless another is given.
    QString format() const;
    QString format(const QString &mask) const;

    // The amount times `factor` (a quantity or a rate already divided by 100), rounded once.
    Money times(double factor) const;
    // `percent` per cent of the amount (2 -> 2 %), rounded once.
    Money percent(double percent) const;

    constexpr Money operator-() const { return Money(-m_centavos); }
    constexpr Money operator+(Money other) const { return Money(m_centavos + other.m_centavos); }
    constexpr Money operator-(Money other) const { return Money(m_centavos - other.m_centavos); }
    constexpr Money &operator+=(Money other)
    {
        m_centavos += other.m_centavos;
        return *this;
    }
    constexpr Money &operator-=(Money other)
    {
        m_centavos -= other.m_centavos;
        return *this;
    }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 centavos) : m_centavos(centavos) {}
    qint64 m_centavos = 0;
};

// `value` in whole units of 10^-decimals, rounded half away from zero on the value as typed
// (15 significant digits). roundToUnits(2.675, 2) == 268; roundToUnits(-0.5, 0) == -1.
qint64 roundToUnits(double value, int decimals);

} // namespace core
