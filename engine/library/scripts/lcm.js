#use gcd
// the least common multiple of two whole numbers
function lcm(a,b){
  wholecheck("lcm",[a,b]);
  if(a===0||b===0)return 0;
  return Math.abs(a/gcd(a,b)*b);
}
