# The same loop as loop.kelvra, for comparison.
total = 0
i = 0
while i < 4000000:
    total = (total + i * i) % 1000000007
    i += 1
print(total)
