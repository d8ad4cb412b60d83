-- Recursive calls: the 27th Fibonacci number the slow way.
local function fib(n)
  if n < 2 then return n end
  return fib(n - 1) + fib(n - 2)
end
local result = fib(27)
