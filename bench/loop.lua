-- The same loop as loop.kelvra, for comparison.
local sum = 0
for i = 0, 3999999 do
  sum = (sum + i * i) % 1000000007
end
print(sum)
